#include "TextRules.h"
#include <unicode/regex.h>
#include <unicode/utypes.h>
#include <algorithm>

namespace {
// A compiled expression: the matcher uses the pattern, so it goes first.
struct Expression
{
    std::unique_ptr<icu::RegexPattern> pattern;
    std::unique_ptr<icu::RegexMatcher> matcher;
};
}

struct TextRules::Compiled
{
    TextRule rule;
    Expression expression; // for a regular expression
    bool off = false;
};

namespace {
icu::UnicodeString Alias(const QString &text)
{
    return icu::UnicodeString(false, reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
}

QString FromIcu(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

// The replacement for the matcher's current match: "$n" is group n (when there is one), "\x"
// is x itself.
QString Expand(const QString &replacement, icu::RegexMatcher &matcher)
{
    QString result;
    for (int i = 0; i < int(replacement.size()); ++i) {
        const QChar c = replacement[i];
        if (c == u'\\' && i + 1 < int(replacement.size())) {
            result += replacement[++i];
        } else if (c == u'$' && i + 1 < int(replacement.size()) && replacement[i + 1].isDigit()
                   && replacement[i + 1].digitValue() <= matcher.groupCount()) {
            UErrorCode status = U_ZERO_ERROR;
            result += FromIcu(matcher.group(replacement[++i].digitValue(), status));
        } else {
            result += c;
        }
    }
    return result;
}
}

// The rule's matcher, or in `why` what is wrong with its pattern.
static Expression CompilePattern(const QString &pattern, QString *why)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError where{};
    Expression compiled;
    compiled.pattern.reset(icu::RegexPattern::compile(Alias(pattern), where, status));
    if (U_SUCCESS(status))
        compiled.matcher.reset(compiled.pattern->matcher(status));
    if (U_SUCCESS(status))
        compiled.matcher->setTimeLimit(TextRules::kTimeLimit, status);
    if (U_FAILURE(status)) {
        *why = QStringLiteral("表达式有误（%1，第 %2 个字符）").arg(QString::fromLatin1(u_errorName(status))).arg(where.offset + 1);
        return {};
    }
    return compiled;
}

QString PatternFault(const TextRule &rule)
{
    QString why;
    if (rule.pattern.isEmpty())
        return QStringLiteral("没有查找内容");
    if (rule.isRegex)
        CompilePattern(rule.pattern, &why);
    return why;
}

TextRules::TextRules() = default;
TextRules::TextRules(TextRules &&) noexcept = default;
TextRules &TextRules::operator=(TextRules &&) noexcept = default;
TextRules::~TextRules() = default;

TextRules::TextRules(const QVector<TextRule> &rules)
{
    for (const TextRule &rule : rules) {
        if (!rule.enabled || rule.pattern.isEmpty())
            continue;
        auto compiled = std::make_unique<Compiled>();
        compiled->rule = rule;
        if (rule.isRegex) {
            QString why;
            compiled->expression = CompilePattern(rule.pattern, &why);
            if (!compiled->expression.matcher) {
                turnOff(*compiled, why);
                continue;
            }
        }
        m_rules.push_back(std::move(compiled));
    }
    std::stable_sort(m_rules.begin(), m_rules.end(), [](const auto &a, const auto &b) {
        return a->rule.order < b->rule.order;
    });
}

void TextRules::turnOff(Compiled &rule, const QString &why)
{
    rule.off = true;
    m_turnedOff.append(QStringLiteral("净化规则“%1”%2，已关闭").arg(rule.rule.name, why));
}

QStringList TextRules::takeTurnedOff()
{
    return std::exchange(m_turnedOff, {});
}

QVector<RuledText::Change> TextRules::matches(Compiled &rule, const QString &text)
{
    QVector<RuledText::Change> found;
    const QString &pattern = rule.rule.pattern;
    if (!rule.expression.matcher) {
        for (qsizetype at = text.indexOf(pattern); at >= 0; at = text.indexOf(pattern, at + pattern.size()))
            found.append({{int(at), int(pattern.size())}, rule.rule.replacement});
        return found;
    }
    const icu::UnicodeString input = Alias(text);
    icu::RegexMatcher &matcher = *rule.expression.matcher;
    matcher.reset(input);
    UErrorCode status = U_ZERO_ERROR;
    while (matcher.find(status) && U_SUCCESS(status)) {
        const int start = matcher.start(status);
        const int end = matcher.end(status);
        if (end > start) // a match of no characters changes nothing
            found.append({{start, end - start}, Expand(rule.rule.replacement, matcher)});
    }
    static const icu::UnicodeString nothing;
    matcher.reset(nothing); // the matcher holds no alias of a text that goes away
    if (status == U_REGEX_TIME_OUT)
        turnOff(rule, QStringLiteral("用时过长"));
    else if (U_FAILURE(status))
        turnOff(rule, QStringLiteral("无法匹配（%1）").arg(QString::fromLatin1(u_errorName(status))));
    return U_FAILURE(status) ? QVector<RuledText::Change>() : found;
}

RuledText TextRules::apply(const QString &text, RuleScope use)
{
    RuledText result(text);
    // Replacements longer than what they replace, rule after rule, could make the text grow
    // without bound; a rule that would make it longer than this is turned off instead.
    const qsizetype longest = text.size() * kGrowthLimit + 1024;
    for (const std::unique_ptr<Compiled> &rule : m_rules) {
        if (rule->off || (use == RuleScope::SpeechAndPage && rule->rule.scope != use))
            continue;
        const QVector<RuledText::Change> found = matches(*rule, result.text());
        qsizetype length = result.text().size();
        for (const RuledText::Change &change : found)
            length += change.replacement.size() - change.match.length;
        if (length > longest)
            turnOff(*rule, QStringLiteral("替换后的文字过长"));
        else if (!found.isEmpty())
            result = result.changed(found);
    }
    return result;
}
