#include "LineFeeds.h"
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
constexpr qint64 kPrefetchAhead = 4096;

// The 16 bytes at `at` compared with `lineFeed`, code unit by code unit.
template <int Unit>
__m128i Equal(const char *at, __m128i lineFeed)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
    return Unit == 1 ? _mm_cmpeq_epi8(bytes, lineFeed) : _mm_cmpeq_epi16(bytes, lineFeed);
}

// The line feeds of the whole blocks from `block` on, up to the first block that holds one: its
// offset, and its bits in `mask`. Most blocks hold none and are done after one test.
template <int Unit>
qint64 FirstBlockWithLineFeed(const char *bytes, qint64 block, qint64 size, quint16 lineFeedUnit, quint64 &mask)
{
    const __m128i lineFeed = Unit == 1 ? _mm_set1_epi8(10) : _mm_set1_epi16(qint16(lineFeedUnit));
    for (; block + 64 <= size; block += 64) {
        const char *at = bytes + block;
        // The processor fetches the bytes ahead by itself only within a page.
        _mm_prefetch(at + kPrefetchAhead, _MM_HINT_T0);
        const __m128i a = Equal<Unit>(at, lineFeed);
        const __m128i b = Equal<Unit>(at + 16, lineFeed);
        const __m128i c = Equal<Unit>(at + 32, lineFeed);
        const __m128i d = Equal<Unit>(at + 48, lineFeed);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) == 0)
            continue;
        mask = quint64(quint16(_mm_movemask_epi8(a))) | quint64(quint16(_mm_movemask_epi8(b))) << 16
               | quint64(quint16(_mm_movemask_epi8(c))) << 32 | quint64(quint16(_mm_movemask_epi8(d))) << 48;
        // A UTF-16 match sets the bits of both its bytes; the line feed is at the first.
        if (Unit == 2)
            mask &= 0x5555555555555555ULL;
        return block;
    }
    mask = 0;
    return block;
}
#endif

}

LineFeeds::LineFeeds(const char *bytes, qint64 size, TextEncoding encoding)
    : m_bytes(bytes), m_size(size), m_unit(CodeUnitSize(encoding)),
      m_lineFeedUnit(encoding == TextEncoding::Utf16Be ? 0x0A00 : 0x000A)
{
    Seek(0);
}

void LineFeeds::Seek(qint64 from)
{
    m_block = from - from % kBlock;
    m_mask = m_block < m_size ? BlockMask(m_block) & (~quint64(0) << (from - m_block)) : 0;
}

bool LineFeeds::NextBlockWithLineFeed()
{
    m_block += kBlock;
#if defined(__SSE2__)
    m_block = m_unit == 1 ? FirstBlockWithLineFeed<1>(m_bytes, m_block, m_size, m_lineFeedUnit, m_mask)
                          : FirstBlockWithLineFeed<2>(m_bytes, m_block, m_size, m_lineFeedUnit, m_mask);
    if (m_mask != 0)
        return true;
#endif
    for (; m_block < m_size; m_block += kBlock) {
        if ((m_mask = BlockMask(m_block)) != 0)
            return true;
    }
    return false;
}

// Byte by byte: the block at the end of the bytes, or any block where the processor has no
// vector compare.
quint64 LineFeeds::BlockMask(qint64 block) const
{
    const auto *bytes = reinterpret_cast<const uchar *>(m_bytes);
    quint64 mask = 0;
    for (qint64 at = block; at < std::min(block + kBlock, m_size - m_unit + 1); at += m_unit) {
        const bool lineFeed = m_unit == 1 ? bytes[at] == 10 : (bytes[at] | bytes[at + 1] << 8) == m_lineFeedUnit;
        mask |= quint64(lineFeed) << (at - block);
    }
    return mask;
}
