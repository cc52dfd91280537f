#pragma once
#include "FileStamps.h"
#include "TextRules.h"
#include <QStringList>

// The rules of the rule files (the listener's, then the novel's), read and compiled again as
// soon as a file changes (its time or size), so that an edit counts from the next piece.
class TextRulesCache
{
public:
    // `paths` as TextRuleFiles gives them: the first for every novel, the rest the novel's own.
    TextRules &rules(const QStringList &paths);
    // What the listener is to be told since the last call: files that could not be read, rules
    // turned off.
    QStringList takeNotices();

private:
    FileStamps m_files;
    TextRules m_rules;
    QStringList m_notices;
};
