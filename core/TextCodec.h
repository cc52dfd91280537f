#pragma once
#include "DecodedText.h"
#include "TextEncoding.h"
#include <QByteArray>
#include <QString>

// Conversion between the bytes of a novel in its encoding and text.
//  - a zero byte gives U+0000;
//  - each byte that does not convert (part of no character, of a character the encoding does
//    not map, or of one cut short by the end of the run) gives one U+FFFD;
//  - everything else converts exactly, a U+FFFD that the bytes hold included.
// Converting text back, a character the encoding cannot hold gives "?".
namespace TextCodec {

QString Decode(TextEncoding encoding, const char *bytes, qint64 size);
inline QString Decode(TextEncoding encoding, const QByteArray &bytes)
{
    return Decode(encoding, bytes.constData(), bytes.size());
}

// The text with the places of the U+FFFD characters that stand for a byte that did not convert.
DecodedText DecodeMarked(TextEncoding encoding, const char *bytes, qint64 size);

QByteArray Encode(TextEncoding encoding, const QString &text);

// How many bytes of the file `text` stands for, when it was decoded from it: the length of its
// encoded form, where U+0000 (a zero byte) counts one byte, and so do `unconverted` of its U+FFFD
// (each a byte that did not convert); its other U+FFFD are characters of the file.
qint64 ByteLength(TextEncoding encoding, QStringView text, qint64 unconverted);

// The bytes that decoded.text[from, to) stands for.
qint64 ByteLength(TextEncoding encoding, const DecodedText &decoded, qsizetype from, qsizetype to);

// The bytes that a text stands for when each of its U+FFFD is a byte that did not convert: exact
// for a text that holds no U+FFFD of the file, as every text in GBK or Big5, which hold none.
inline qint64 ByteLength(TextEncoding encoding, const QString &text)
{
    return ByteLength(encoding, text, text.count(QChar(0xFFFD)));
}

}
