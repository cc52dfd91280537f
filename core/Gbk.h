#pragma once
#include <QByteArray>
#include <QString>

// Conversion between the system code page (GBK, code page 936) and text, for the settings file
// and the texts measured in bytes for display, whatever a novel's encoding.
//  - a zero byte gives U+0000;
//  - a lead byte that ends the buffer gives U+0000;
//  - a byte that is no character gives U+FFFD, which does not convert back to the same bytes;
//  - a character GBK cannot hold gives "?".
namespace Gbk {
QString toUnicode(const char *bytes, qint64 size);
inline QString toUnicode(const QByteArray &bytes) { return toUnicode(bytes.constData(), bytes.size()); }
QByteArray fromUnicode(const QString &text);
// Byte length of `text` in GBK: 1 per ASCII character, 2 per double-byte character.
qint64 byteLength(const QString &text);
}
