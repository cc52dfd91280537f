#include "TextCodec.h"
#include "IcuConverter.h"
#include "TextDecoder.h"
#include <unicode/ucnv.h>
#include <algorithm>

namespace {

// Runs the text through the encoding's converter, handing the length of each filled stretch of
// `buffer` to `sink`.
template <typename Sink>
void EncodeInto(TextEncoding encoding, const QString &text, char *buffer, qsizetype bufferSize, Sink sink)
{
    IcuConverter converter(OpenIcuConverter(encoding));
    const auto *source = reinterpret_cast<const UChar *>(text.constData());
    const UChar *sourceEnd = source + text.size();
    UErrorCode error;
    do {
        error = U_ZERO_ERROR;
        char *target = buffer;
        ucnv_fromUnicode(converter.get(), &target, buffer + bufferSize, &source, sourceEnd,
                         nullptr, true, &error);
        sink(target - buffer);
    } while (error == U_BUFFER_OVERFLOW_ERROR);
}

qint64 EncodedLength(TextEncoding encoding, const QString &text)
{
    char buffer[16384];
    qint64 length = 0;
    EncodeInto(encoding, text, buffer, sizeof buffer, [&](qsizetype filled) { length += filled; });
    return length;
}

// The most bytes one UTF-16 unit of a text can take in the encoding (a surrogate pair is two).
qsizetype MostBytesPerUnit(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Gb18030: return 4;
    case TextEncoding::Utf8: return 3;
    default: return 2;
    }
}

// Bytes that the encoded form of `c` takes beyond the one byte it stands for in a decoded text.
qint64 ExtraBytes(TextEncoding encoding, QChar c)
{
    return EncodedLength(encoding, QString(c)) - 1;
}

}

namespace TextCodec {

QString Decode(TextEncoding encoding, const char *bytes, qint64 size)
{
    QString text;
    TextDecoder decoder(encoding);
    decoder.decode(bytes, size, true, text);
    return text;
}

QByteArray Encode(TextEncoding encoding, const QString &text)
{
    QByteArray bytes(text.size() * MostBytesPerUnit(encoding), Qt::Uninitialized);
    qsizetype length = 0;
    EncodeInto(encoding, text, bytes.data(), bytes.size(), [&](qsizetype filled) { length += filled; });
    bytes.truncate(length);
    return bytes;
}

qint64 ByteLength(TextEncoding encoding, const QString &text)
{
    const qint64 zeros = text.count(QChar(0));
    const qint64 replacements = text.count(QChar(0xFFFD));
    qint64 length = EncodedLength(encoding, text);
    if (zeros > 0)
        length -= zeros * ExtraBytes(encoding, QChar(0));
    if (replacements > 0)
        length -= replacements * ExtraBytes(encoding, QChar(0xFFFD));
    return length;
}

}
