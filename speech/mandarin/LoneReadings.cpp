#include "LoneReadings.h"
#include "MandarinDictionary.h"

namespace {
constexpr char16_t Persons[] = u"我你他她它您咱谁";

bool endsWithPerson(QStringView text, const ReadWord &word)
{
    const QChar last = text[word.position + word.length - 1];
    const QChar first = text[word.position];
    return QStringView(Persons).contains(last) || (last == u'们' && QStringView(Persons).contains(first));
}

void chooseDe(QStringView text, ReadWords &words, qsizetype index, const MandarinDictionary &dictionary)
{
    if (index == 0 || words[index - 1].kind != ReadWord::Chinese)
        return;
    const bool must = endsWithPerson(text, words[index - 1]);
    const int base = dictionary.baseIndex(must ? QLatin1String("dei") : QLatin1String("de"));
    if (base >= 0)
        words[index].syllables = {Syllable{uint16_t(base), uint8_t(must ? 3 : 5), false}};
}
}

void ChooseLoneReadings(QStringView text, ReadWords &words, const MandarinDictionary &dictionary)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        const ReadWord &word = words[i];
        if (word.kind == ReadWord::Chinese && word.length == 1 && !word.fromListener
            && text[word.position] == u'得')
            chooseDe(text, words, i, dictionary);
    }
}
