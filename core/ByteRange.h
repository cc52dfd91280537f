#pragma once
#include "BytePos.h"

// A run of a text file's bytes: from `start` up to the byte before `end`. A piece read aloud, a
// word heard, a page shown. An empty range (end at or before start) stands for bytes that are not
// known, such as a piece typed by the user.
struct ByteRange
{
    BytePos start;
    BytePos end;

    // The `length` bytes from `start` (held at the end of the 64-bit range, see BytePos).
    static constexpr ByteRange Of(BytePos start, qint64 length) { return {start, start + length}; }

    constexpr qint64 length() const { return end > start ? end - start : 0; }
    constexpr bool isEmpty() const { return end <= start; }

    friend constexpr bool operator==(ByteRange a, ByteRange b) { return a.start == b.start && a.end == b.end; }
    friend constexpr bool operator!=(ByteRange a, ByteRange b) { return !(a == b); }
};
