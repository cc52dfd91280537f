#include "TextDecoder.h"
#include "CharacterRules.h"
#include "DecodedText.h"
#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/ucnv_cb.h>
#include <algorithm>
#include <iterator>
#include <limits>

namespace {

// Runs stay far below 2 GB so that ICU's 32-bit offsets never overflow.
constexpr qint64 kSliceBytes = qint64(1) << 26;

// Each byte of a sequence that is no character gives U+FFFD, at its own offset, and is counted.
// A character cut short by the end of the stream gives the same, or one U+0000 when the context
// asks for it.
void substituteInvalidBytes(const void *context, UConverterToUnicodeArgs *args, const char *,
                            int32_t length, UConverterCallbackReason reason, UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    auto *substitution = static_cast<TextDecoder::Substitution *>(const_cast<void *>(context));
    const bool cut = *error == U_TRUNCATED_CHAR_FOUND;
    *error = U_ZERO_ERROR;
    if (cut && substitution->cut == TextDecoder::CutCharacter::AsZero) {
        const UChar zero = 0x0000;
        ucnv_cbToUWriteUChars(args, &zero, 1, 0, error);
        return;
    }
    const UChar replacement = 0xFFFD;
    for (int32_t i = 0; i < length && U_SUCCESS(*error); ++i)
        ucnv_cbToUWriteUChars(args, &replacement, 1, i, error);
    substitution->replacements += length;
}

}

TextDecoder::TextDecoder(TextEncoding encoding, CutCharacter cut)
    : m_encoding(encoding), m_substitution{cut}
{
}

UConverter *TextDecoder::converter()
{
    if (!m_converter) {
        m_converter = OpenIcuConverter(m_encoding);
        UErrorCode error = U_ZERO_ERROR;
        ucnv_setToUCallBack(m_converter.get(), substituteInvalidBytes, &m_substitution, nullptr, nullptr, &error);
    }
    return m_converter.get();
}

void TextDecoder::decode(const char *bytes, qint64 size, bool last, QString &text,
                         std::vector<qint64> *offsets, std::vector<qsizetype> *unconverted)
{
    // The bytes of a character cut short by the previous call come first.
    QByteArray joined;
    if (!m_pending.isEmpty()) {
        joined = m_pending + QByteArray(bytes, size);
        bytes = joined.constData();
        size = joined.size();
    }
    qint64 runStart = m_consumed - m_pending.size();
    m_consumed += size - m_pending.size();
    // One UTF-16 unit per byte at most.
    text.reserve(text.size() + size);
    do {
        qint64 run = std::min(size, kSliceBytes);
        const bool end = run == size;
        const qint64 cut = end && last ? 0 : CharacterRules::CutShortAtEnd(m_encoding, bytes, run, runStart);
        run -= cut;
        decodeRun(bytes, run, runStart, text, offsets, unconverted);
        bytes += run;
        size -= run;
        runStart += run;
        if (end && !last) {
            m_pending = QByteArray(bytes, size);
            return;
        }
    } while (size > 0);
    m_pending.clear();
}

void TextDecoder::decodeRun(const char *bytes, qint64 size, qint64 runStart, QString &text,
                            std::vector<qint64> *offsets, std::vector<qsizetype> *unconverted)
{
    const qsizetype startLength = text.size();
    // Valid UTF-8 goes through ICU's direct UTF-8 conversion, much faster than a converter; a run
    // with bytes that do not convert is decoded again by the converter, whose rules for them are
    // those of every encoding here. A U+FFFD that the file itself holds is valid text.
    if (m_encoding == TextEncoding::Utf8 && !offsets && size < std::numeric_limits<int32_t>::max()) {
        text.resize(startLength + size);
        int32_t length = 0;
        int32_t substitutions = 0;
        UErrorCode error = U_ZERO_ERROR;
        u_strFromUTF8WithSub(reinterpret_cast<UChar *>(text.data()) + startLength, int32_t(size), &length,
                             bytes, int32_t(size), 0xFFFD, &substitutions, &error);
        const bool valid = U_SUCCESS(error) && substitutions == 0;
        text.resize(valid ? startLength + length : startLength);
        if (valid)
            return;
    }
    // Room for one unit per byte; ICU says when it needs more.
    qsizetype capacity = size + 2;
    const char *source = bytes;
    const char *sourceEnd = bytes + size;
    qsizetype written = startLength;
    m_substitution.replacements = 0;
    UErrorCode error;
    for (;;) {
        text.resize(written + capacity);
        if (offsets)
            m_runOffsets.resize(written - startLength + capacity);
        auto *target = reinterpret_cast<UChar *>(text.data()) + written;
        auto *targetBegin = target;
        qint32 *offsetTarget = offsets ? m_runOffsets.data() + (written - startLength) : nullptr;
        error = U_ZERO_ERROR;
        ucnv_toUnicode(converter(), &target, target + capacity, &source, sourceEnd, offsetTarget,
                       true, &error);
        written += target - targetBegin;
        if (error != U_BUFFER_OVERFLOW_ERROR)
            break;
        capacity = std::max<qsizetype>(capacity, 16);
    }
    text.resize(written);
    if (offsets) {
        const auto runOffsets = m_runOffsets.cbegin();
        std::transform(runOffsets, runOffsets + (written - startLength), std::back_inserter(*offsets),
                       [&](qint32 offset) { return runStart + offset; });
    }
    if (unconverted && m_substitution.replacements > 0)
        markUnconverted(bytes, size, text, startLength, m_substitution.replacements, *unconverted);
}

// Of the U+FFFD characters of text[from...], which the run `bytes` gave, those written for bytes
// that did not convert: all of them when there are as many as were written; otherwise the run
// also holds U+FFFD characters of its own, and each character's bytes, from a second conversion
// with offsets, tell the one byte that did not convert from the character of several bytes.
void TextDecoder::markUnconverted(const char *bytes, qint64 size, const QString &text, qsizetype from,
                                  qint64 replacements, std::vector<qsizetype> &unconverted)
{
    const std::vector<qsizetype> found = ReplacementCharacters(text, from);
    if (qint64(found.size()) == replacements) {
        unconverted.insert(unconverted.end(), found.cbegin(), found.cend());
        return;
    }
    QString again;
    std::vector<qint64> offsets;
    decodeRun(bytes, size, 0, again, &offsets, nullptr);
    for (const qsizetype at : found) {
        const std::size_t unit = std::size_t(at - from);
        const qint64 next = unit + 1 < offsets.size() ? offsets[unit + 1] : size;
        if (next - offsets[unit] == 1)
            unconverted.push_back(at);
    }
}
