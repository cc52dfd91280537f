#pragma once
#include <QByteArray>
#include <QString>

// Conversion between GBK (code page 936) bytes and Unicode text.
//  - a zero byte gives U+0000;
//  - a lead byte that ends the buffer gives U+0000;
//  - an invalid sequence gives a character that does not convert back to the same bytes;
//  - a character GBK cannot hold gives "?".
namespace Gbk {
QString toUnicode(const char *bytes, qint64 size);
inline QString toUnicode(const QByteArray &bytes) { return toUnicode(bytes.constData(), bytes.size()); }
QByteArray fromUnicode(const QString &text);
// Byte length of `text` in GBK: 1 per ASCII character, 2 per double-byte character.
qint64 byteLength(const QString &text);
}
