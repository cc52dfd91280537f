#include "Gbk.h"
#include "GbkConverter.h"
#include "GbkDecoder.h"
#include <unicode/ucnv.h>
#include <memory>

namespace {

struct ConverterCloser {
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Runs the text through the converter, handing each filled stretch of `buffer` to `sink`.
template <typename Sink>
void encode(const QString &text, char *buffer, qsizetype bufferSize, Sink sink)
{
    Converter converter(openGbkConverter());
    const auto *source = reinterpret_cast<const UChar *>(text.constData());
    const UChar *sourceEnd = source + text.size();
    UErrorCode error;
    do {
        error = U_ZERO_ERROR;
        char *target = buffer;
        ucnv_fromUnicode(converter.get(), &target, buffer + bufferSize, &source, sourceEnd,
                         nullptr, true, &error);
        sink(buffer, target - buffer);
    } while (error == U_BUFFER_OVERFLOW_ERROR);
}

}

namespace Gbk {

QString toUnicode(const char *bytes, qint64 size)
{
    QString text;
    GbkDecoder decoder;
    decoder.decode(bytes, size, true, text);
    return text;
}

QByteArray fromUnicode(const QString &text)
{
    // Two bytes per UTF-16 unit at most: a surrogate pair becomes a single "?".
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qsizetype length = 0;
    encode(text, bytes.data(), bytes.size(), [&](const char *, qsizetype filled) {
        length += filled;
    });
    bytes.truncate(length);
    return bytes;
}

qint64 byteLength(const QString &text)
{
    char buffer[16384];
    qint64 length = 0;
    encode(text, buffer, sizeof buffer, [&](const char *, qsizetype filled) { length += filled; });
    return length;
}

}
