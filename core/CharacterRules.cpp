#include "CharacterRules.h"

namespace CharacterRules {

namespace {

bool InRange(uchar b, uchar low, uchar high)
{
    return b >= low && b <= high;
}

int DoubleByteLength(const char *bytes, qint64 available, bool (*isTrail)(uchar))
{
    if (!InRange(uchar(bytes[0]), 0x81, 0xFE))
        return 1;
    if (available < 2)
        return 0;
    return isTrail(uchar(bytes[1])) ? 2 : 1;
}

bool IsGbkTrail(uchar b)
{
    return InRange(b, 0x40, 0x7E) || InRange(b, 0x80, 0xFE);
}

bool IsBig5Trail(uchar b)
{
    return InRange(b, 0x40, 0x7E) || InRange(b, 0xA1, 0xFE);
}

int Gb18030Length(const char *bytes, qint64 available)
{
    const auto at = [&](int i) { return uchar(bytes[i]); };
    if (!InRange(at(0), 0x81, 0xFE))
        return 1;
    if (available < 2)
        return 0;
    if (!InRange(at(1), 0x30, 0x39))
        return IsGbkTrail(at(1)) ? 2 : 1;
    if (available < 3)
        return 0;
    if (!InRange(at(2), 0x81, 0xFE))
        return 1;
    if (available < 4)
        return 0;
    return InRange(at(3), 0x30, 0x39) ? 4 : 1;
}

int Utf8Length(const char *bytes, qint64 available)
{
    const uchar lead = uchar(bytes[0]);
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4)
        return 1;
    // The second byte's range is narrower after E0, ED, F0 and F4 (no overlong forms, no
    // surrogates, nothing past U+10FFFF).
    uchar low = 0x80, high = 0xBF;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    for (int i = 1; i < length; ++i) {
        if (i >= available)
            return 0;
        const uchar b = uchar(bytes[i]);
        if (i == 1 ? !InRange(b, low, high) : !InRange(b, 0x80, 0xBF))
            return i;
    }
    return length;
}

int Utf16Length(const char *bytes, qint64 available, bool bigEndian)
{
    const auto unit = [&](int i) {
        const uchar first = uchar(bytes[i]), second = uchar(bytes[i + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    if (available < 2)
        return 0;
    if (!InRange(unit(0) >> 8, 0xD8, 0xDB))
        return 2;
    if (available < 4)
        return 0;
    return InRange(unit(2) >> 8, 0xDC, 0xDF) ? 4 : 2;
}

// An index of bytes[0..at) from which walking character by character is in step with the file,
// or nullopt when the bytes before `at` do not show one.
std::optional<qint64> AfterLastByteBelow(const char *bytes, qint64 at, qint64 firstOffset, uchar anchor)
{
    for (qint64 i = at - 1; i >= 0; --i) {
        if (uchar(bytes[i]) < anchor)
            return i + 1;
    }
    if (firstOffset == 0)
        return 0;
    return std::nullopt;
}

// In GBK and Big5 a byte that may both lead and end a character is ambiguous; any other byte
// shows a character start: after a byte that cannot lead (it is a whole character or ends one),
// at a lead byte that cannot end one. From such a start the ambiguous bytes before `at` pair up,
// so only their number's parity is needed: the start of the last whole pair, or of the lead byte
// that may take `at` as its second byte.
std::optional<qint64> DoubleByteSyncPoint(const char *bytes, qint64 at, qint64 firstOffset, bool (*isTrail)(uchar))
{
    qint64 start = 0;
    qint64 i = at - 1;
    while (i >= 0 && InRange(uchar(bytes[i]), 0x81, 0xFE) && isTrail(uchar(bytes[i])))
        --i;
    if (i >= 0)
        start = InRange(uchar(bytes[i]), 0x81, 0xFE) ? i : i + 1;
    else if (firstOffset != 0)
        return std::nullopt;
    return (at - start) % 2 == 0 ? at : at - 1;
}

std::optional<qint64> Utf8SyncPoint(const char *bytes, qint64 at, qint64 firstOffset)
{
    // A character is at most four bytes: one that covers `at` begins at most three bytes before.
    for (qint64 i = at - 1; i >= 0 && i >= at - 3; --i) {
        if (!InRange(uchar(bytes[i]), 0x80, 0xBF))
            return i;
    }
    if (at >= 3 || firstOffset == 0)
        return std::max<qint64>(at - 3, 0);
    return std::nullopt;
}

bool IsLowSurrogate(const char *unit, bool bigEndian)
{
    return InRange(uchar(unit[bigEndian ? 0 : 1]), 0xDC, 0xDF);
}

std::optional<qint64> Utf16SyncPoint(const char *bytes, qint64 size, qint64 at, qint64 firstOffset,
                                     bool bigEndian)
{
    // Units start at even file offsets. The unit before the one holding `at` shows whether `at`
    // lies between the two halves of a surrogate pair; a unit that is no low surrogate, or the
    // first of the file, starts a character itself.
    const qint64 unitStart = at - (firstOffset + at) % 2;
    if (unitStart - 2 >= 0)
        return unitStart - 2;
    if (unitStart < 0)
        return std::nullopt;
    if (firstOffset + unitStart == 0 || (unitStart + 2 <= size && !IsLowSurrogate(bytes + unitStart, bigEndian)))
        return unitStart;
    return std::nullopt;
}

std::optional<qint64> SyncPoint(TextEncoding encoding, const char *bytes, qint64 size, qint64 at,
                                qint64 firstOffset)
{
    switch (encoding) {
    case TextEncoding::Gbk:
        return DoubleByteSyncPoint(bytes, at, firstOffset, IsGbkTrail);
    case TextEncoding::Big5:
        return DoubleByteSyncPoint(bytes, at, firstOffset, IsBig5Trail);
    case TextEncoding::Gb18030:
        return AfterLastByteBelow(bytes, at, firstOffset, 0x30);
    case TextEncoding::Utf8:
        return Utf8SyncPoint(bytes, at, firstOffset);
    case TextEncoding::Utf16Le:
        return Utf16SyncPoint(bytes, size, at, firstOffset, false);
    case TextEncoding::Utf16Be:
        return Utf16SyncPoint(bytes, size, at, firstOffset, true);
    }
    return std::nullopt;
}

}

int CharacterLength(TextEncoding encoding, const char *bytes, qint64 available)
{
    if (available < 1)
        return 0;
    switch (encoding) {
    case TextEncoding::Gbk: return DoubleByteLength(bytes, available, IsGbkTrail);
    case TextEncoding::Big5: return DoubleByteLength(bytes, available, IsBig5Trail);
    case TextEncoding::Gb18030: return Gb18030Length(bytes, available);
    case TextEncoding::Utf8: return Utf8Length(bytes, available);
    case TextEncoding::Utf16Le: return Utf16Length(bytes, available, false);
    case TextEncoding::Utf16Be: return Utf16Length(bytes, available, true);
    }
    return 1;
}

std::optional<qint64> BytesToCharacterStart(TextEncoding encoding, const char *bytes, qint64 size,
                                            qint64 at, qint64 firstOffset)
{
    const std::optional<qint64> sync = SyncPoint(encoding, bytes, size, at, firstOffset);
    if (!sync)
        return std::nullopt;
    qint64 i = *sync;
    while (i < at) {
        const int length = CharacterLength(encoding, bytes + i, size - i);
        if (length == 0)
            return size - at;
        i += length;
    }
    return i - at;
}

}

namespace CharacterRules {

qint64 CutShortAtEnd(TextEncoding encoding, const char *bytes, qint64 size, qint64 firstOffset)
{
    qint64 i = SyncPoint(encoding, bytes, size, size, firstOffset).value_or(0);
    while (i < size) {
        const int length = CharacterLength(encoding, bytes + i, size - i);
        if (length == 0)
            return size - i;
        i += length;
    }
    return 0;
}

}
