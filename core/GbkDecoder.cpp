#include "GbkDecoder.h"
#include "GbkConverter.h"
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <algorithm>
#include <iterator>

namespace {

// Slices stay far below 2 GB so that ICU's 32-bit offsets never overflow.
constexpr qint64 kSliceBytes = qint64(1) << 26;

// A lead byte left at the end of the stream gives U+0000; any other byte sequence that is no
// character gives U+FFFD, which converts back to "?" and so never to the bytes it came from.
void substituteInvalidBytes(const void *, UConverterToUnicodeArgs *args, const char *, int32_t,
                            UConverterCallbackReason reason, UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    const UChar replacement = *error == U_TRUNCATED_CHAR_FOUND ? 0x0000 : 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, error);
}

}

GbkDecoder::GbkDecoder() : m_converter(openGbkConverter())
{
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(m_converter, substituteInvalidBytes, nullptr, nullptr, nullptr, &error);
}

GbkDecoder::~GbkDecoder()
{
    ucnv_close(m_converter);
}

void GbkDecoder::decode(const char *bytes, qint64 size, bool last, QString &text,
                        std::vector<qint64> *offsets)
{
    // One UTF-16 unit per byte at most, plus the character completed from the previous call.
    text.reserve(text.size() + size + 2);
    do {
        const qint64 slice = std::min(size, kSliceBytes);
        decodeSlice(bytes, slice, last && slice == size, text, offsets);
        bytes += slice;
        size -= slice;
    } while (size > 0);
}

void GbkDecoder::decodeSlice(const char *bytes, qint64 size, bool flush, QString &text,
                             std::vector<qint64> *offsets)
{
    UErrorCode error = U_ZERO_ERROR;
    // A character begun in the previous slice starts this many bytes before this one.
    const qint64 pendingStart = m_consumed - std::max(ucnv_toUCountPending(m_converter, &error), 0);
    const qsizetype startLength = text.size();
    // Room for one unit per byte; ICU says when it needs more.
    qsizetype capacity = size + 2;
    const char *source = bytes;
    const char *sourceEnd = bytes + size;
    qsizetype written = startLength;
    for (;;) {
        text.resize(written + capacity);
        if (offsets)
            m_sliceOffsets.resize(written - startLength + capacity);
        auto *target = reinterpret_cast<UChar *>(text.data()) + written;
        auto *targetBegin = target;
        qint32 *offsetTarget = offsets ? m_sliceOffsets.data() + (written - startLength) : nullptr;
        error = U_ZERO_ERROR;
        ucnv_toUnicode(m_converter, &target, target + capacity, &source, sourceEnd, offsetTarget,
                       flush, &error);
        written += target - targetBegin;
        if (error != U_BUFFER_OVERFLOW_ERROR)
            break;
        capacity = std::max<qsizetype>(capacity, 16);
    }
    text.resize(written);
    m_consumed += size;
    if (offsets) {
        const qint64 sliceStart = m_consumed - size;
        const auto sliceOffsets = m_sliceOffsets.cbegin();
        std::transform(sliceOffsets, sliceOffsets + (written - startLength),
                       std::back_inserter(*offsets), [&](qint32 offset) {
                           return offset < 0 ? pendingStart : sliceStart + offset;
                       });
    }
}
