#include "TextRulesCache.h"
#include "RuleFile.h"
#include <QFileInfo>

TextRules &TextRulesCache::rules(const QStringList &paths)
{
    QVector<Stamp> stamps;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        stamps.append({path, info.exists() ? info.lastModified() : QDateTime(), info.exists() ? info.size() : -1});
    }
    if (m_read && stamps == m_stamps)
        return m_rules;
    QVector<TextRule> all;
    for (int i = 0; i < int(paths.size()); ++i) {
        const RuleFileContent content = ReadRuleFile(paths[i], i > 0);
        all += content.rules;
        if (!content.fault.isEmpty())
            m_notices.append(content.fault);
    }
    m_rules = TextRules(all);
    m_stamps = stamps;
    m_read = true;
    return m_rules;
}

QStringList TextRulesCache::takeNotices()
{
    QStringList notices = std::exchange(m_notices, {});
    return notices + m_rules.takeTurnedOff();
}
