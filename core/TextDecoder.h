#pragma once
#include "IcuConverter.h"
#include "TextEncoding.h"
#include <QByteArray>
#include <QString>
#include <vector>

// Converts a stream of bytes in one encoding to text, one slice at a time. A character split
// between two slices is completed by the next call, so a file can be converted in bounded chunks
// with the same result as in one piece. A zero byte gives U+0000; each byte that is part of no
// character, or of one the encoding does not map, gives one U+FFFD of its own. A U+FFFD that the
// bytes hold is a character like any other; the decoder tells the two apart on request. The end
// of the stream may cut a character short: its bytes then give U+FFFD each, or, in the settings
// file's reading of the system code page, a single U+0000.
class TextDecoder
{
public:
    enum class CutCharacter { AsReplacement, AsZero };

    explicit TextDecoder(TextEncoding encoding, CutCharacter cut = CutCharacter::AsReplacement);
    TextDecoder(const TextDecoder &) = delete;
    TextDecoder &operator=(const TextDecoder &) = delete;

    // Appends the text of the next `size` bytes to `text`. With `offsets`, also appends for each
    // UTF-16 unit the 0-based stream offset of the byte at which its character starts. With
    // `unconverted`, also appends the indices in `text` of the U+FFFD characters that stand for
    // a byte that did not convert. `last` ends the stream.
    void decode(const char *bytes, qint64 size, bool last, QString &text,
                std::vector<qint64> *offsets = nullptr, std::vector<qsizetype> *unconverted = nullptr);

    // What the substitution for bytes that do not convert needs to know, and how many U+FFFD it
    // wrote in the run being converted.
    struct Substitution
    {
        CutCharacter cut;
        qint64 replacements = 0;
    };

private:
    // Converts a run that ends on a character boundary (or at the end of the stream) and
    // begins at stream offset `runStart`.
    void decodeRun(const char *bytes, qint64 size, qint64 runStart, QString &text,
                   std::vector<qint64> *offsets, std::vector<qsizetype> *unconverted);
    void markUnconverted(const char *bytes, qint64 size, const QString &text, qsizetype from,
                         qint64 replacements, std::vector<qsizetype> &unconverted);
    // The encoding's converter, opened at the first run that needs it: valid UTF-8 never does.
    UConverter *converter();

    IcuConverter m_converter;
    TextEncoding m_encoding;
    Substitution m_substitution;
    qint64 m_consumed = 0;
    // The bytes of a character cut short by the end of the last call.
    QByteArray m_pending;
    std::vector<qint32> m_runOffsets;
};
