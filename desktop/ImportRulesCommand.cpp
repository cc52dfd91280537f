#include "ImportRulesCommand.h"
#include "RuleFile.h"
#include <QFile>
#include <cstdio>

namespace {
void printError(const QString &line)
{
    std::fprintf(stderr, "tarrowin: %s\n", line.toUtf8().constData());
}
}

int RunImportRulesCommand(const QString &file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("%1: cannot be read").arg(file));
        return 2;
    }
    const std::optional<ParsedRules> parsed = ParseRules(input.readAll(), true);
    if (!parsed) {
        printError(QStringLiteral("%1: not a rule file (a JSON array of rules)").arg(file));
        return 2;
    }
    for (const QString &line : parsed->refused + parsed->notes)
        printError(QStringLiteral("%1: %2").arg(file, line));
    const QString own = ListenerRulesFilePath();
    const RuleFileContent content = ReadRuleFile(own, false);
    if (!content.fault.isEmpty()) {
        printError(QStringLiteral("%1; nothing imported").arg(content.fault));
        return 1;
    }
    if (!WriteRuleFile(own, JoinRules(content.rules, parsed->rules))) {
        printError(QStringLiteral("%1 cannot be written; nothing imported").arg(own));
        return 1;
    }
    std::printf("%s\n", QStringLiteral("%1 rules imported into %2, %3 refused")
                            .arg(parsed->rules.size()).arg(own).arg(parsed->refused.size()).toUtf8().constData());
    return 0;
}
