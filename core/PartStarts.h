#pragma once
#include "BytePos.h"
#include <limits>
#include <vector>

// Where the twenty equal parts of a novel without headings start: each at the first line that
// begins inside it, or at the start of the line that holds its first byte when none does. The
// line starts are met stretch by stretch of the file, in order within each stretch, and the
// stretches may be scanned at once.
class PartStarts
{
public:
    explicit PartStarts(qint64 fileSize);

    // The next line start of this stretch.
    void LineStart(qint64 start)
    {
        if (start >= m_nextTarget)
            Reached(start);
        m_last = start;
    }

    // The first byte of each part, from what the stretches of the whole file met, in file order.
    static std::vector<BytePos> Combine(const std::vector<const PartStarts *> &stretches, qint64 fileSize);

private:
    void Reached(qint64 start);

    std::vector<qint64> m_targets;
    // For the targets passed so far: the first line start at or after each, and the line start
    // before that one (-1 when this stretch met none before it).
    std::vector<qint64> m_firstFrom;
    std::vector<qint64> m_lastBefore;
    qint64 m_nextTarget = 0;
    qint64 m_last = -1;
};
