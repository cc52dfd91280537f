#include "RuleBook.h"
#include "RulePresets.h"
#include <QFileInfo>
#include <algorithm>

RuleBook::RuleBook(const RuleBookFiles &files) : m_files(files)
{
    const RuleFileContent general = ReadRuleFile(files.general, false);
    const RuleFileContent novel = files.novelToRead.isEmpty() ? RuleFileContent() : ReadRuleFile(files.novelToRead, true);
    m_generalRead = general.read;
    m_novelRead = novel.read;
    QStringList faults{general.fault, novel.fault};
    faults.removeAll(QString());
    m_fault = faults.join(u'\n');
    m_rules = general.rules + novel.rules;
    std::stable_sort(m_rules.begin(), m_rules.end(), [](const TextRule &a, const TextRule &b) { return a.order < b.order; });
    renumber();
}

void RuleBook::renumber()
{
    for (int i = 0; i < int(m_rules.size()); ++i)
        m_rules[i].order = i;
}

void RuleBook::append(const TextRule &rule)
{
    m_rules.append(rule);
    renumber();
}

void RuleBook::remove(int index)
{
    if (index >= 0 && index < int(m_rules.size()))
        m_rules.remove(index);
    renumber();
}

void RuleBook::move(int index, int by)
{
    const int to = index + by;
    if (index < 0 || to < 0 || index >= int(m_rules.size()) || to >= int(m_rules.size()))
        return;
    m_rules.move(index, to);
    renumber();
}

int RuleBook::addPresets()
{
    int added = 0;
    for (const TextRule &preset : PresetRules()) {
        const bool present = std::any_of(m_rules.cbegin(), m_rules.cend(),
                                         [&](const TextRule &rule) { return rule.name == preset.name; });
        if (!present) {
            append(preset);
            ++added;
        }
    }
    return added;
}

void RuleBook::import(const QVector<TextRule> &rules)
{
    m_rules = JoinRules(m_rules, rules);
}

QString RuleBook::save() const
{
    QVector<TextRule> general;
    QVector<TextRule> novel;
    for (const TextRule &rule : m_rules)
        (rule.novelOnly ? novel : general).append(rule);
    const auto write = [](const QString &path, bool read, const QVector<TextRule> &rules) -> QString {
        const QString name = QFileInfo(path).fileName();
        if (!read)
            return QStringLiteral("%1 无法读取，没有写入").arg(name);
        return WriteRuleFile(path, rules) ? QString() : QStringLiteral("无法写入 %1，文件保持原样").arg(name);
    };
    QStringList faults{write(m_files.general, m_generalRead, general)};
    const bool novelFile = !novel.isEmpty() || QFileInfo::exists(m_files.novelToRead);
    if (!m_files.novelToWrite.isEmpty() && novelFile)
        faults.append(write(m_files.novelToWrite, m_novelRead, novel));
    faults.removeAll(QString());
    return faults.join(u'\n');
}
