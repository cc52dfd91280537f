#include "RuledText.h"
#include <algorithm>

RuledText::RuledText(const QString &text) : m_text(text), m_sourceLength(int(text.size()))
{
    m_starts.resize(text.size());
    m_ends.resize(text.size());
    for (int i = 0; i < int(text.size()); ++i) {
        m_starts[i] = i;
        m_ends[i] = i + 1;
    }
}

SourceSpan RuledText::sourceOf(int position, int length) const
{
    const int size = int(m_text.size());
    if (length <= 0 || position < 0 || position >= size)
        return {m_sourceLength, 0};
    const int last = std::min(position + length, size) - 1;
    return {m_starts[position], m_ends[last] - m_starts[position]};
}

RuledText RuledText::changed(const QVector<Change> &changes) const
{
    RuledText result;
    result.m_sourceLength = m_sourceLength;
    int at = 0;
    const auto keep = [&](int to) {
        result.m_text += QStringView(m_text).mid(at, to - at);
        result.m_starts += m_starts.mid(at, to - at);
        result.m_ends += m_ends.mid(at, to - at);
    };
    for (const Change &change : changes) {
        keep(change.match.position);
        const SourceSpan source = sourceOf(change.match.position, change.match.length);
        result.m_text += change.replacement;
        result.m_starts.insert(result.m_starts.size(), change.replacement.size(), source.position);
        result.m_ends.insert(result.m_ends.size(), change.replacement.size(), source.end());
        at = change.match.end();
    }
    keep(int(m_text.size()));
    return result;
}

RuledText RuledText::window(int from, int length) const
{
    RuledText result;
    result.m_sourceLength = length;
    result.m_text.reserve(m_text.size());
    for (int i = 0; i < int(m_text.size()); ++i) {
        const int start = m_starts[i] - from;
        if (start < 0 || start >= length)
            continue;
        result.m_text += m_text[i];
        result.m_starts.append(start);
        result.m_ends.append(std::min(m_ends[i] - from, length));
    }
    return result;
}
