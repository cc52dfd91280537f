#pragma once
#include "TextEncoding.h"
#include <QtGlobal>
#include <QtAlgorithms>

// The line feeds of a novel's bytes held in memory, in the order of the bytes: the byte 10 in the
// byte encodings, the code unit 10 at an even offset in UTF-16. The bytes are looked at in blocks
// of 64, several bytes at a time where the processor allows, so that a scan over a file keeps up
// with reading it.
class LineFeeds
{
public:
    LineFeeds(const char *bytes, qint64 size, TextEncoding encoding);

    // The bytes a line feed takes: its code unit.
    int Size() const { return m_unit; }

    // Next() goes on from the line feed that starts at or after `from`.
    void Seek(qint64 from);

    // The offset of the first byte of the next line feed, -1 when there is none left.
    qint64 Next()
    {
        if (m_mask == 0 && !NextBlockWithLineFeed())
            return -1;
        const qint64 at = m_block + qCountTrailingZeroBits(m_mask);
        m_mask &= m_mask - 1;
        return at;
    }

private:
    static constexpr qint64 kBlock = 64;

    // Moves on to the next block that holds a line feed; false when there is none.
    bool NextBlockWithLineFeed();
    // One bit for each line feed in the block from `block`, at the place of its first byte.
    quint64 BlockMask(qint64 block) const;

    const char *m_bytes;
    qint64 m_size;
    int m_unit;
    // The two bytes of a UTF-16 line feed in the order of the file, read as one little-endian
    // 16-bit number.
    quint16 m_lineFeedUnit;
    qint64 m_block = 0;
    quint64 m_mask = 0;
};
