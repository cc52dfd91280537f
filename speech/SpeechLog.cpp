#include "SpeechLog.h"

Q_LOGGING_CATEGORY(lcSpeech, "tarrowin.speech", QtWarningMsg)
