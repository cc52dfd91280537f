#include "TextRulesCache.h"
#include "RuleFile.h"

TextRules &TextRulesCache::rules(const QStringList &paths)
{
    if (!m_files.changed(paths))
        return m_rules;
    QVector<TextRule> all;
    for (int i = 0; i < int(paths.size()); ++i) {
        const RuleFileContent content = ReadRuleFile(paths[i], i > 0);
        all += content.rules;
        if (!content.fault.isEmpty())
            m_notices.append(content.fault);
    }
    m_rules = TextRules(all);
    return m_rules;
}

QStringList TextRulesCache::takeNotices()
{
    QStringList notices = std::exchange(m_notices, {});
    return notices + m_rules.takeTurnedOff();
}
