#include "ReadAloudLog.h"

Q_LOGGING_CATEGORY(lcReadAloud, "tarrowin.readaloud", QtWarningMsg)
