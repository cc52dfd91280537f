#include "PartStarts.h"
#include "ChapterList.h"
#include <algorithm>

PartStarts::PartStarts(qint64 fileSize)
{
    for (int part = 0; part < ChapterList::kParts; ++part)
        m_targets.push_back(std::max<qint64>(fileSize, 0) * part / ChapterList::kParts);
}

void PartStarts::Reached(qint64 start)
{
    while (m_firstFrom.size() < m_targets.size() && start >= m_targets[m_firstFrom.size()]) {
        m_firstFrom.push_back(start);
        m_lastBefore.push_back(m_last);
    }
    m_nextTarget = m_firstFrom.size() < m_targets.size() ? m_targets[m_firstFrom.size()]
                                                         : std::numeric_limits<qint64>::max();
}

std::vector<BytePos> PartStarts::Combine(const std::vector<const PartStarts *> &stretches, qint64 fileSize)
{
    std::vector<BytePos> starts;
    const std::vector<qint64> targets = PartStarts(fileSize).m_targets;
    for (size_t part = 0; part < targets.size(); ++part) {
        // The first line start at or after the target (the end of the file when there is none)
        // and the one before it.
        qint64 first = -1;
        qint64 before = -1;
        for (const PartStarts *stretch : stretches) {
            const bool passed = part < stretch->m_firstFrom.size();
            if (passed && first < 0)
                first = stretch->m_firstFrom[part];
            before = std::max(before, passed ? stretch->m_lastBefore[part] : stretch->m_last);
        }
        if (first < 0)
            first = fileSize;
        const qint64 partEnd = part + 1 < targets.size() ? targets[part + 1] : fileSize;
        starts.push_back(BytePos((first < partEnd && first < fileSize ? first : std::max<qint64>(before, 0)) + 1));
    }
    return starts;
}
