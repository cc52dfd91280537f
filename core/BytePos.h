#pragma once
#include <QtGlobal>

// A 1-based offset into a text file's GBK bytes (the first byte of a file is position 1).
// Its own type so that a byte position is never mixed up with a character index of a
// converted text. 64-bit: files over 4 GB are addressed correctly.
class BytePos
{
public:
    constexpr BytePos() = default;
    constexpr explicit BytePos(qint64 value) : m_value(value) {}

    constexpr qint64 value() const { return m_value; }

    constexpr BytePos operator+(qint64 bytes) const { return BytePos(m_value + bytes); }
    constexpr BytePos operator-(qint64 bytes) const { return BytePos(m_value - bytes); }
    BytePos &operator+=(qint64 bytes) { m_value += bytes; return *this; }
    BytePos &operator-=(qint64 bytes) { m_value -= bytes; return *this; }

    friend constexpr qint64 operator-(BytePos a, BytePos b) { return a.m_value - b.m_value; }
    friend constexpr bool operator==(BytePos a, BytePos b) { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(BytePos a, BytePos b) { return a.m_value != b.m_value; }
    friend constexpr bool operator<(BytePos a, BytePos b) { return a.m_value < b.m_value; }
    friend constexpr bool operator<=(BytePos a, BytePos b) { return a.m_value <= b.m_value; }
    friend constexpr bool operator>(BytePos a, BytePos b) { return a.m_value > b.m_value; }
    friend constexpr bool operator>=(BytePos a, BytePos b) { return a.m_value >= b.m_value; }

private:
    qint64 m_value = 1;
};
