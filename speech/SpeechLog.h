#pragma once
#include <QLoggingCategory>

// The log of the voice and sound output: warnings and above by default; more with
// QT_LOGGING_RULES="tarrowin.speech.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcSpeech)
