#pragma once
#include <QLoggingCategory>

// The log of the settings, side files and novels: warnings and above by default; more with
// QT_LOGGING_RULES="tarrowin.core.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcCore)
