#pragma once
#include "RuledText.h"
#include "TextRule.h"
#include <QStringList>
#include <QVector>
#include <memory>
#include <vector>

// A set of rules ready to apply: regular expressions compiled once, the rules sorted by their
// order. A pattern that does not compile, whose match runs past the time limit (or out of the
// matcher's memory), or whose replacements would make the text grow past kGrowthLimit, is turned
// off for this set, and said once in takeTurnedOff(); the text is then as the rules before it
// left it. Not for two threads at once: the matchers are reused.
class TextRules
{
public:
    // ICU's time limit for one match, in its steps (some ten thousand steps of the matcher each,
    // milliseconds at most on any machine).
    static constexpr int kTimeLimit = 20;
    // How many times its length a text may grow through the rules (and a thousand units more).
    static constexpr int kGrowthLimit = 4;

    TextRules();
    // The enabled rules of `rules`.
    explicit TextRules(const QVector<TextRule> &rules);
    TextRules(TextRules &&) noexcept;
    TextRules &operator=(TextRules &&) noexcept;
    ~TextRules();

    // `text` after every rule that reaches `use`: all of them for the voice, those of
    // "朗读和显示" for the page.
    RuledText apply(const QString &text, RuleScope use);
    bool isEmpty() const { return m_rules.empty(); }
    // One line for each rule turned off since the last call, why and that it is off.
    QStringList takeTurnedOff();

private:
    struct Compiled;
    void turnOff(Compiled &rule, const QString &why);
    QVector<RuledText::Change> matches(Compiled &rule, const QString &text);

    std::vector<std::unique_ptr<Compiled>> m_rules;
    QStringList m_turnedOff;
};

// What keeps `rule` from being applied ("没有查找内容", an expression that does not compile), or
// an empty text.
QString PatternFault(const TextRule &rule);
