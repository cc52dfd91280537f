// Text rules on any patterns, replacements and texts, and rule files of any bytes.
//  Applying never fails; every unit of the new text maps to a stretch of the text, in order,
//  and a window of the text maps into that window alone. A rule file's rules taken all apply.
#include "FuzzSupport.h"
#include "RuleFile.h"
#include "TextRules.h"

namespace {
void checkMap(const RuledText &ruled, int sourceLength)
{
    int start = 0;
    for (int i = 0; i < int(ruled.text().size()); ++i) {
        const SourceSpan source = ruled.sourceOf(i, 1);
        FUZZ_CHECK(source.position >= start && source.length >= 0 && source.end() <= sourceLength);
        start = source.position;
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t flags = input.take<uint8_t>();
    const uint8_t cut = input.take<uint8_t>();
    const QList<QByteArray> parts = input.rest().split('\0');
    QVector<TextRule> rules;
    for (int i = 0; i + 1 < int(parts.size()); i += 2) {
        TextRule rule;
        rule.name = rule.pattern = QString::fromUtf8(parts[i]);
        rule.replacement = QString::fromUtf8(parts[i + 1]);
        rule.isRegex = (flags >> (i / 2 % 8)) & 1;
        rule.scope = i % 4 ? RuleScope::SpeechAndPage : RuleScope::Speech;
        rules.append(rule);
    }
    const QString text = QString::fromUtf8(parts.last());
    TextRules set(rules);
    const RuledText ruled = set.apply(text, (flags & 0x80) ? RuleScope::SpeechAndPage : RuleScope::Speech);
    checkMap(ruled, int(text.size()));
    const int from = text.isEmpty() ? 0 : cut % text.size();
    checkMap(ruled.window(from, int(text.size()) - from), int(text.size()) - from);
    set.takeTurnedOff();
    if (const std::optional<ParsedRules> parsed = ParseRules(parts.last(), true)) {
        for (const TextRule &rule : parsed->rules)
            FUZZ_CHECK(PatternFault(rule).isEmpty());
    }
    return 0;
}
