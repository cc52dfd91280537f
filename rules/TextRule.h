#pragma once
#include <QString>

// What a rule changes: the voice only, or the voice and the page shown.
enum class RuleScope { Speech, SpeechAndPage };

// One of the listener's text rules: every match of `pattern` (plain text matched literally, or an
// ICU regular expression) is said as `replacement` instead; an empty replacement removes the
// match. In the replacement of an expression "$1" is a group of the match and "\$" a dollar; a
// plain text's replacement is taken as written. Rules run in `order`, lowest first.
struct TextRule
{
    QString name;
    QString pattern;
    QString replacement;
    bool isRegex = false;
    RuleScope scope = RuleScope::Speech;
    bool enabled = true;
    int order = 0;
    // Kept in the novel's own rule file and applied to that novel only; else to every novel.
    bool novelOnly = false;

    bool operator==(const TextRule &o) const
    {
        return name == o.name && pattern == o.pattern && replacement == o.replacement
            && isRegex == o.isRegex && scope == o.scope && enabled == o.enabled && order == o.order
            && novelOnly == o.novelOnly;
    }
};

// The scope as the rule files and the dialog write it: "朗读" or "朗读和显示".
QString ScopeText(RuleScope scope);
