#include "ChapterList.h"
#include <algorithm>

int ChapterList::indexAt(BytePos position) const
{
    const auto after = std::upper_bound(m_entries.begin(), m_entries.end(), position,
                                        [](BytePos p, const Chapter &c) { return p < c.start; });
    return int(after - m_entries.begin()) - 1;
}

QString ChapterList::titleAt(BytePos position) const
{
    const int index = indexAt(position);
    return index < 0 ? QString() : at(index).title;
}

std::optional<BytePos> ChapterList::nextStart(BytePos position) const
{
    const int next = indexAt(position) + 1;
    return next < size() ? std::optional<BytePos>(at(next).start) : std::nullopt;
}

std::optional<BytePos> ChapterList::previousStart(BytePos position) const
{
    const int previous = indexAt(position) - 1;
    return previous >= 0 ? std::optional<BytePos>(at(previous).start) : std::nullopt;
}

ChapterList EqualParts(const std::vector<BytePos> &starts)
{
    std::vector<Chapter> parts;
    for (size_t part = 0; part < starts.size(); ++part) {
        if (!parts.empty() && starts[part] <= parts.back().start)
            continue;
        const qint64 share = qint64(part) * 100 / ChapterList::kParts;
        parts.push_back({starts[part], HeadingLevel::Chapter, QString::number(share) + u'%'});
    }
    return ChapterList(std::move(parts), false);
}
