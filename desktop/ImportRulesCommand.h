#pragma once
#include <QString>

// Runs `tarrowin --import-rules FILE`: the rules of FILE join the listener's own rule file,
// behind them. Each entry refused is named on standard error with its reason, and one summary
// line goes to standard output. Returns the exit code: 0 (also with entries refused), 1 when the
// listener's rule file cannot be read or written (it is then left as it was), 2 when FILE cannot
// be read or holds no rule array.
int RunImportRulesCommand(const QString &file);
