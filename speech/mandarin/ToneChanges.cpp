#include "ToneChanges.h"

namespace {
constexpr char16_t Numerals[] = u"零〇一二三四五六七八九十两";

// Judged on the tones as written, so that three third tones are said 2 2 3 (展览馆).
void thirdToneSandhi(Syllables &syllables)
{
    for (qsizetype i = 0; i + 1 < syllables.size(); ++i) {
        if (syllables[i].tone == 3 && syllables[i + 1].tone == 3)
            syllables[i].tone = 2;
    }
}

QChar charAt(QStringView text, qsizetype i)
{
    return i >= 0 && i < text.size() ? text[i] : QChar();
}

bool isNumeral(QChar c)
{
    return !c.isNull() && QStringView(Numerals).contains(c);
}

// The first syllable heard after word `index`, if the next word is read at all.
const Syllable *nextSyllable(const ReadWords &words, qsizetype index)
{
    if (index + 1 >= words.size() || words[index + 1].syllables.isEmpty())
        return nullptr;
    return &words[index + 1].syllables.first();
}

void changeYiOrBu(QStringView text, ReadWords &words, qsizetype index)
{
    ReadWord &word = words[index];
    const QChar c = text[word.position];
    const QChar before = charAt(text, word.position - 1);
    const QChar after = charAt(text, word.position + 1);
    const Syllable *next = nextSyllable(words, index);
    Syllable &syllable = word.syllables.first();
    if (!before.isNull() && before == after && before != c) {
        syllable.tone = 5; // 看一看, 好不好
    } else if (c == u'不') {
        syllable.tone = next && next->tone == 4 ? 2 : 4;
    } else if (!next || before == u'第' || isNumeral(before) || (isNumeral(after) && after != u'十' && after != u'两')) {
        syllable.tone = 1;
    } else {
        syllable.tone = next->tone == 4 || next->tone == 5 ? 2 : 4;
    }
}
}

void ApplyToneChanges(QStringView text, ReadWords &words)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        ReadWord &word = words[i];
        if (word.fromListener || word.syllables.isEmpty())
            continue;
        thirdToneSandhi(word.syllables);
        const bool lone = word.kind == ReadWord::Chinese && word.length == 1;
        if (lone && (text[word.position] == u'一' || text[word.position] == u'不'))
            changeYiOrBu(text, words, i);
    }
}
