#include "CoreLog.h"

Q_LOGGING_CATEGORY(lcCore, "tarrowin.core", QtWarningMsg)
