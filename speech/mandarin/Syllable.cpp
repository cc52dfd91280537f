#include "Syllable.h"

namespace {
// The vowels that carry tone marks, each with its four marked forms.
struct MarkedVowel
{
    char16_t plain;
    char16_t marked[4];
};
constexpr MarkedVowel MarkedVowels[] = {
    {u'a', {u'ā', u'á', u'ǎ', u'à'}}, {u'e', {u'ē', u'é', u'ě', u'è'}},
    {u'i', {u'ī', u'í', u'ǐ', u'ì'}}, {u'o', {u'ō', u'ó', u'ǒ', u'ò'}},
    {u'u', {u'ū', u'ú', u'ǔ', u'ù'}}, {u'v', {u'ǖ', u'ǘ', u'ǚ', u'ǜ'}},
    {u'm', {0, u'ḿ', 0, 0}},          {u'n', {0, u'ń', u'ň', u'ǹ'}},
};

// The plain letter of `c` and, for a marked vowel, its tone.
char16_t unmark(char16_t c, int &tone)
{
    if (c == u'ü')
        return u'v';
    if (c == u'ê')
        return u'e';
    for (const MarkedVowel &vowel : MarkedVowels) {
        for (int t = 0; t < 4; ++t) {
            if (vowel.marked[t] && vowel.marked[t] == c) {
                tone = t + 1;
                return vowel.plain;
            }
        }
    }
    return c;
}
}

bool ParsePinyinSyllable(QStringView text, QString &base, int &tone, bool &rhotic)
{
    base.clear();
    tone = 0;
    rhotic = false;
    if (text.isEmpty() || text.size() > 8)
        return false;
    qsizetype end = text.size();
    const QChar last = text.back();
    if (last >= u'0' && last <= u'5') {
        tone = last == u'0' ? 5 : last.unicode() - u'0';
        --end;
    }
    int marked = 0;
    for (qsizetype i = 0; i < end; ++i) {
        int markTone = 0;
        const char16_t c = unmark(QChar(text[i]).toLower().unicode(), markTone);
        if (c < u'a' || c > u'z')
            return false;
        if (markTone) {
            ++marked;
            tone = markTone;
        }
        base.append(QChar(c));
    }
    if (marked > 1 || (marked && end != text.size()) || base.isEmpty())
        return false;
    if (tone == 0)
        tone = 5;
    // 儿化 is written as an r after the syllable, but "er" itself is a syllable of its own.
    if (base.size() > 2 && base.endsWith(u'r') && base != u"er") {
        base.chop(1);
        rhotic = true;
    }
    return true;
}
