// The CP936 (GBK) conversions on any bytes and any text.
//  Bytes to text: at most one UTF-16 unit per byte, a U+0000 for every zero byte, the same text
//  whether the bytes are converted at once or in two slices split anywhere.
//  Text to bytes: byteLength agrees with the conversion, and bytes that came from a conversion
//  convert to a text that converts back to the very same bytes.
#include "FuzzSupport.h"
#include "Gbk.h"
#include "TextDecoder.h"
#include <vector>

namespace {

void checkBytesToText(const QByteArray &bytes, qsizetype split)
{
    const QString text = Gbk::toUnicode(bytes);
    FUZZ_CHECK(text.size() <= bytes.size());
    FUZZ_CHECK(text.count(QChar(0)) >= bytes.count('\0'));

    QString sliced;
    std::vector<qint64> offsets;
    TextDecoder decoder(TextEncoding::Gbk, TextDecoder::CutCharacter::AsZero);
    decoder.decode(bytes.constData(), split, false, sliced, &offsets);
    decoder.decode(bytes.constData() + split, bytes.size() - split, true, sliced, &offsets);
    FUZZ_CHECK(sliced == text);
    FUZZ_CHECK(offsets.size() == size_t(text.size()));
    for (size_t i = 0; i < offsets.size(); ++i) {
        FUZZ_CHECK(offsets[i] >= 0 && offsets[i] < bytes.size());
        FUZZ_CHECK(i == 0 || offsets[i] >= offsets[i - 1]);
    }
}

void checkTextToBytes(const QString &text)
{
    const QByteArray bytes = Gbk::fromUnicode(text);
    FUZZ_CHECK(Gbk::byteLength(text) == bytes.size());
    FUZZ_CHECK(bytes.size() <= 2 * text.size());
    const QString back = Gbk::toUnicode(bytes);
    FUZZ_CHECK(Gbk::fromUnicode(back) == bytes);
    FUZZ_CHECK(Gbk::byteLength(back) == bytes.size());
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const auto splitChoice = input.take<uint16_t>();
    const QByteArray bytes = input.rest();
    checkBytesToText(bytes, bytes.isEmpty() ? 0 : splitChoice % (bytes.size() + 1));
    checkTextToBytes(Gbk::toUnicode(bytes));
    checkTextToBytes(QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2));
    return 0;
}
