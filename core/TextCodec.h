#pragma once
#include "TextEncoding.h"
#include <QByteArray>
#include <QString>

// Conversion between the bytes of a novel in its encoding and text.
//  - a zero byte gives U+0000;
//  - each byte that does not convert (part of no character, of a character the encoding does
//    not map, or of one cut short by the end of the run) gives one U+FFFD;
//  - everything else converts exactly.
// Converting text back, a character the encoding cannot hold gives "?".
namespace TextCodec {

QString Decode(TextEncoding encoding, const char *bytes, qint64 size);
inline QString Decode(TextEncoding encoding, const QByteArray &bytes)
{
    return Decode(encoding, bytes.constData(), bytes.size());
}

QByteArray Encode(TextEncoding encoding, const QString &text);

// How many bytes of the file `text` stands for, when it was decoded from it: the length of its
// encoded form, where U+0000 (a zero byte) and U+FFFD (a byte that did not convert) count one
// byte each.
qint64 ByteLength(TextEncoding encoding, const QString &text);

}
