#pragma once
#include <QByteArray>
#include <QString>
#include <QVector>
#include <optional>

// A text as the synthesiser gets it, with the map back to the caller's text. The text is cut at
// its first U+0000; full-width letters and digits become their ASCII forms one for one (the
// synthesiser speaks those slowly and sends no word events for them), full-width punctuation
// stays so that its pauses stay. Unpaired surrogates become U+FFFD, so that every code point of
// the UTF-8 form stands for one or two UTF-16 units of the caller's text.
struct SpeechText
{
    QByteArray utf8;
    // utf16Offsets[i] is the UTF-16 offset of code point i; its last entry is the text's length.
    QVector<int> utf16Offsets;

    int codePointCount() const { return int(utf16Offsets.size()) - 1; }
    int length() const { return utf16Offsets.last(); }
};

SpeechText PrepareSpeechText(const QString &text);

// A word in UTF-16 units of the caller's text.
struct WordSpan
{
    int position = 0;
    int length = 0;
    bool operator==(const WordSpan &other) const
    {
        return position == other.position && length == other.length;
    }
};

// Turns the synthesiser's word events (1-based code point positions, lengths in code points)
// into clean words of the caller's text, in order. Events at position 0, past the end, or
// starting inside a word already given (the repeats and overlaps that numbers produce) are
// dropped. An event of length 0 (as after a quotation mark) gets the length of the word it
// points at, or is dropped when it points at no word.
class WordEventCleaner
{
public:
    WordEventCleaner(const QString &preparedText, const QVector<int> &utf16Offsets);
    std::optional<WordSpan> accept(int textPosition, int codePointLength);

private:
    int wordLengthAt(int utf16Position) const;

    QString m_text;
    QVector<int> m_offsets;
    int m_end = 0;
};

// The text that PrepareSpeechText speaks, as UTF-16 (the same length as the cut input).
QString SpeakableText(const QString &text);
