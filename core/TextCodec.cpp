#include "TextCodec.h"
#include "IcuConverter.h"
#include "TextDecoder.h"
#include <unicode/ucnv.h>
#include <algorithm>

namespace {

// Runs the text through the encoding's converter, handing the length of each filled stretch of
// `buffer` to `sink`.
template <typename Sink>
void EncodeInto(TextEncoding encoding, QStringView text, char *buffer, qsizetype bufferSize, Sink sink)
{
    IcuConverter converter(OpenIcuConverter(encoding));
    const auto *source = reinterpret_cast<const UChar *>(text.data());
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

qint64 EncodedLength(TextEncoding encoding, QStringView text)
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
    return EncodedLength(encoding, QStringView(&c, 1)) - 1;
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

DecodedText DecodeMarked(TextEncoding encoding, const char *bytes, qint64 size)
{
    DecodedText decoded;
    TextDecoder decoder(encoding);
    decoder.decode(bytes, size, true, decoded.text, nullptr, &decoded.unconverted);
    return decoded;
}

QByteArray Encode(TextEncoding encoding, const QString &text)
{
    QByteArray bytes(text.size() * MostBytesPerUnit(encoding), Qt::Uninitialized);
    qsizetype length = 0;
    EncodeInto(encoding, text, bytes.data(), bytes.size(), [&](qsizetype filled) { length += filled; });
    bytes.truncate(length);
    return bytes;
}

qint64 ByteLength(TextEncoding encoding, QStringView text, qint64 unconverted)
{
    const qint64 zeros = text.count(QChar(0));
    qint64 length = EncodedLength(encoding, text);
    if (zeros > 0)
        length -= zeros * ExtraBytes(encoding, QChar(0));
    if (unconverted > 0)
        length -= unconverted * ExtraBytes(encoding, QChar(0xFFFD));
    return length;
}

qint64 ByteLength(TextEncoding encoding, const DecodedText &decoded, qsizetype from, qsizetype to)
{
    const auto &marks = decoded.unconverted;
    const auto first = std::lower_bound(marks.cbegin(), marks.cend(), from);
    const auto last = std::lower_bound(first, marks.cend(), to);
    return ByteLength(encoding, QStringView(decoded.text).mid(from, to - from), last - first);
}

}
