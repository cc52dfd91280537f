#pragma once
#include "TextEncoding.h"
#include <QByteArray>
#include <array>
#include <bitset>
#include <vector>

// The test on a line's bytes, in the novel's encoding and before any conversion, whether the line
// may be a heading: whether its first character after blanks is one a heading starts with. Most
// lines fail on their first two bytes.
class HeadingStart
{
public:
    explicit HeadingStart(TextEncoding encoding);

    // Whether the line of `size` bytes at `bytes` (without its line end) may be a heading.
    bool MayStart(const char *bytes, qint64 size) const
    {
        if (size == 0 || !m_mayStart[uchar(bytes[0])])
            return false;
        const bool firstTwo = m_oneByteStart[uchar(bytes[0])]
                              || (size >= 2 && m_firstTwoBytes.test(uchar(bytes[0]) << 8 | uchar(bytes[1])));
        return firstTwo && StartsWithHeadingChar(bytes, size);
    }

private:
    void Add(const QByteArray &encoded);
    bool StartsWithHeadingChar(const char *bytes, qint64 size) const;
    qint64 SkipBlanks(const char *bytes, qint64 size) const;

    // The first bytes of heading characters and of blanks.
    std::array<bool, 256> m_mayStart{};
    std::array<bool, 256> m_blankStart{};
    // The heading characters, and those and the blanks, that take one byte.
    std::array<bool, 256> m_oneByteChar{};
    std::array<bool, 256> m_oneByteStart{};
    // The first two bytes of the heading characters and blanks longer than one byte.
    std::bitset<65536> m_firstTwoBytes;
    std::vector<QByteArray> m_headingChars;
    std::vector<QByteArray> m_blanks;
};
