#pragma once
#include <QByteArray>
#include <QString>
#include <QVector>
#include <optional>

class MandarinReader;
class RuledText;

// A word in UTF-16 units of the caller's text.
struct WordSpan
{
    int position = 0;
    int length = 0;
    int end() const { return position + length; }
    bool operator==(const WordSpan &other) const
    {
        return position == other.position && length == other.length;
    }
};

// A text as the synthesiser gets it, with the map back to the caller's text. The text is cut at
// its first U+0000; full-width letters and digits become their ASCII forms one for one (the
// synthesiser speaks those slowly and sends no word events for them), full-width punctuation
// stays so that its pauses stay. Unpaired surrogates become U+FFFD.
//
// With a reading layer, Chinese words and numbers are replaced by what the layer reads them as:
// their pinyin with tone numbers for a voice that reads pinyin ("yin2 hang2"), a number's
// Chinese numeral for one that does not. Every code point spoken for a word maps back to the
// whole word, so that the word is marked as one, whatever the synthesiser makes of it.
struct SpeechText
{
    QByteArray utf8;
    // The spoken text's code points, and for each the stretch of the caller's text it speaks.
    QVector<char32_t> codePoints;
    QVector<WordSpan> sources;

    int codePointCount() const { return int(codePoints.size()); }
};

SpeechText PrepareSpeechText(const QString &text, const MandarinReader *reader = nullptr,
                             bool voiceReadsPinyin = false);

// Turns the synthesiser's word events (1-based code point positions, lengths in code points of
// the spoken text) into clean words of the caller's text, in order. Events at position 0, past
// the end, or starting inside a word already given (the repeats and overlaps that numbers
// produce, the second syllable of a word read as pinyin) are dropped. An event of length 0 (as
// after a quotation mark) gets the length of the word it points at, or is dropped when it
// points at no word.
class WordEventCleaner
{
public:
    explicit WordEventCleaner(const SpeechText &text);
    std::optional<WordSpan> accept(int textPosition, int codePointLength);

private:
    int wordLengthAt(int codePoint) const;

    const SpeechText &m_text;
    int m_end = 0;
};

// The spoken text of a text the rules changed, its sources moved from the changed text to the
// text the rules were applied to.
void MapSourcesBack(SpeechText &spoken, const RuledText &ruled);

// The text that PrepareSpeechText speaks without a reading layer, as UTF-16 (the same length as
// the cut input).
QString SpeakableText(const QString &text);
