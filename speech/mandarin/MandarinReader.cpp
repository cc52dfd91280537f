#include "MandarinReader.h"
#include "ListenerReadings.h"
#include "LoneReadings.h"
#include "MandarinDictionary.h"
#include "NumberReading.h"
#include "ToneChanges.h"
#include "WordSplit.h"

MandarinReader::MandarinReader(const MandarinDictionary &dictionary, const ListenerReadings *own)
    : m_dictionary(dictionary), m_own(own)
{
}

ReadWords MandarinReader::read(QStringView text) const
{
    ReadWords words = SplitWords(text, m_dictionary, m_own);
    for (ReadWord &word : words) {
        if (word.kind == ReadWord::Number)
            readNumber(text, word);
    }
    ChooseLoneReadings(text, words, m_dictionary);
    ApplyToneChanges(text, words);
    return words;
}

// The number's Chinese numeral, read character by character; 一 inside it changes its tone
// before 百, 千, 万 and 亿 only (一百 yì bǎi, 十一 shí yī).
void MandarinReader::readNumber(QStringView text, ReadWord &word) const
{
    const QChar before = word.position > 0 ? text[word.position - 1] : QChar();
    const qsizetype end = word.position + word.length;
    const QChar after = end < text.size() ? text[end] : QChar();
    word.spoken = NumberAsChinese(text.mid(word.position, word.length), before, after);
    for (qsizetype i = 0; i < word.spoken.size(); ++i) {
        const int entry = m_dictionary.find(QStringView(word.spoken).mid(i, 1));
        if (entry < 0) {
            word.syllables.clear();
            return;
        }
        word.syllables += m_dictionary.reading(entry);
    }
    for (qsizetype i = 0; i + 1 < word.spoken.size(); ++i) {
        if (word.spoken[i] == u'一' && QStringView(u"百千万亿").contains(word.spoken[i + 1]))
            word.syllables[i].tone = word.syllables[i + 1].tone == 4 ? 2 : 4;
    }
}

QString MandarinReader::pinyin(const Syllables &syllables) const
{
    QString result;
    for (const Syllable &syllable : syllables) {
        if (!result.isEmpty())
            result += u' ';
        result += m_dictionary.baseText(syllable.base);
        if (syllable.rhotic)
            result += u'r';
        result += QChar(u'0' + syllable.tone);
    }
    return result;
}

QString MandarinReader::pinyinOf(QStringView text, int position, int length) const
{
    Syllables heard;
    for (const ReadWord &word : read(text)) {
        const int from = std::max(position, word.position);
        const int to = std::min(position + length, word.position + word.length);
        if (from >= to)
            continue;
        if (word.syllables.size() != word.length)
            heard += word.syllables;
        else
            heard += word.syllables.mid(from - word.position, to - from);
    }
    return pinyin(heard);
}
