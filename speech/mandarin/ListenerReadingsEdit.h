#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>

class ListenerReadings;
class MandarinDictionary;

// The edit of a listener's readings file by one word: whether a text can be given a reading,
// whether a typed reading fits it, and the file's content with the word's line set. No file is
// touched here; the caller reads and writes.

// True for a text made of Chinese characters only (at least one): what a readings file can
// give a reading. Spaces, punctuation, digits and Latin letters make it false.
bool IsChineseWord(QStringView text);

// A reading typed for a word, checked as a readings file would parse it.
struct TypedReading
{
    QString pinyin;  // the syllables as typed, one space between them; empty when refused
    QString refusal; // why it cannot be used, in a few words; empty when it can

    bool isValid() const { return refusal.isEmpty(); }
};

// Every syllable must be pinyin the dictionary knows (tone numbers or tone marks, 儿化 as an r),
// and there must be one a character, a syllable with 儿化 also taking in one 儿 of the word.
TypedReading CheckTypedReading(const QString &word, const QString &typed, const MandarinDictionary &dictionary);

// The reading of `length` UTF-16 units of `text` from `position`, as the voice says them there,
// within the words around them and with the listener's readings: "yin2 hang2". Empty when it
// does not fit them as a typed reading must (a character without a reading).
QString CurrentReading(QStringView text, int position, int length, const MandarinDictionary &dictionary,
                       const ListenerReadings &own);

// `content` (a readings file's bytes, UTF-8) with "word pinyin" as the word's line. The first
// line for the word (its first field is the word, whether it parses or not) is replaced where it
// stands, keeping its line end and a byte-order mark before it; later lines for the word, which
// would win over it, go. Without one the line is added at the end, on a line of its own, with
// the line ends the file uses. Every other byte, comments and blank lines included, stays.
QByteArray WithListenerReading(const QByteArray &content, const QString &word, const QString &pinyin);
