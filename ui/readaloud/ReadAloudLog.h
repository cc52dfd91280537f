#pragma once
#include <QLoggingCategory>

// The log of the read-aloud window: warnings and above by default; more with
// QT_LOGGING_RULES="tarrowin.readaloud.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcReadAloud)
