#pragma once
#include <QtGlobal>
#include <limits>

// A 1-based offset into a text file's GBK bytes (the first byte of a file is position 1).
// Its own type so that a byte position is never mixed up with a character index of a
// converted text. 64-bit: files over 4 GB are addressed correctly.
// Arithmetic saturates: a position moved past either end of the 64-bit range is held at that end
// instead of wrapping round, so a huge typed position or length never turns into a small or
// negative one.
class BytePos
{
public:
    constexpr BytePos() = default;
    constexpr explicit BytePos(qint64 value) : m_value(value) {}

    constexpr qint64 value() const { return m_value; }

    constexpr BytePos operator+(qint64 bytes) const { return BytePos(Sum(m_value, bytes)); }
    constexpr BytePos operator-(qint64 bytes) const { return BytePos(Difference(m_value, bytes)); }
    BytePos &operator+=(qint64 bytes) { return *this = *this + bytes; }
    BytePos &operator-=(qint64 bytes) { return *this = *this - bytes; }

    friend constexpr qint64 operator-(BytePos a, BytePos b) { return Difference(a.m_value, b.m_value); }
    friend constexpr bool operator==(BytePos a, BytePos b) { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(BytePos a, BytePos b) { return a.m_value != b.m_value; }
    friend constexpr bool operator<(BytePos a, BytePos b) { return a.m_value < b.m_value; }
    friend constexpr bool operator<=(BytePos a, BytePos b) { return a.m_value <= b.m_value; }
    friend constexpr bool operator>(BytePos a, BytePos b) { return a.m_value > b.m_value; }
    friend constexpr bool operator>=(BytePos a, BytePos b) { return a.m_value >= b.m_value; }

private:
    static constexpr qint64 Most = std::numeric_limits<qint64>::max();
    static constexpr qint64 Least = std::numeric_limits<qint64>::min();
    static constexpr qint64 Sum(qint64 a, qint64 b)
    {
        qint64 sum = 0;
        return __builtin_add_overflow(a, b, &sum) ? (b > 0 ? Most : Least) : sum;
    }
    static constexpr qint64 Difference(qint64 a, qint64 b)
    {
        qint64 difference = 0;
        return __builtin_sub_overflow(a, b, &difference) ? (b < 0 ? Most : Least) : difference;
    }

    qint64 m_value = 1;
};
