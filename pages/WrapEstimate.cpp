#include "WrapEstimate.h"
#include <QTextBoundaryFinder>
#include <algorithm>

namespace {

bool IsIdeograph(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || c.isHighSurrogate();
}

}

WrapEstimate::WrapEstimate(const QFont &font, qreal wrapWidth)
    : m_metrics(font), m_wrapWidth(wrapWidth), m_ideographAdvance(m_metrics.horizontalAdvance(QChar(0x597D))) // 好
{
}

qreal WrapEstimate::Advance(QChar c)
{
    if (c.isLowSurrogate())
        return 0;
    auto kept = m_kept.constFind(c.unicode());
    if (kept == m_kept.constEnd())
        kept = m_kept.insert(c.unicode(), m_metrics.horizontalAdvance(c));
    return kept.value();
}

void WrapEstimate::SetParagraph(const QString &paragraph)
{
    if (paragraph == m_paragraph && !m_advances.empty())
        return;
    m_paragraph = paragraph;
    m_advances.clear();
    m_spaces.clear();
    m_advances.reserve(paragraph.size());
    m_spaces.reserve(paragraph.size());
    for (QChar c : paragraph) {
        // Ideographs, most of a Chinese text, skip the look-ups that other characters need.
        const bool ideograph = IsIdeograph(c);
        m_advances.push_back(ideograph ? m_ideographAdvance : Advance(c));
        m_spaces.push_back(!ideograph && c.isSpace());
    }
    m_breaks.clear();
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, paragraph);
    for (qsizetype at = breaks.toNextBoundary(); at > 0; at = breaks.toNextBoundary())
        m_breaks.push_back(int(at));
}

std::vector<WrapEstimate::Line> WrapEstimate::Lines(int from, int to) const
{
    std::vector<Line> lines;
    lines.reserve(8);
    const int n = to < 0 ? int(m_paragraph.size()) : to;
    int lineStart = from;
    qreal width = 0;
    // Segment by segment between break opportunities: a segment whose characters (its trailing
    // spaces left out) overflow the line begins the next one; one wider than a line on its own
    // is broken between characters.
    auto next = std::upper_bound(m_breaks.begin(), m_breaks.end(), from);
    for (int at = from; at < n; ++next) {
        const int segmentEnd = next == m_breaks.end() ? n : std::min(*next, n);
        qreal inked = 0;
        qreal all = 0;
        for (int i = at; i < segmentEnd; ++i) {
            all += m_advances[i];
            if (!m_spaces[i])
                inked = all;
        }
        if (at > lineStart && width + inked > m_wrapWidth) {
            lines.push_back({lineStart, at, width});
            lineStart = at;
            width = 0;
        }
        if (inked <= m_wrapWidth) {
            width += all;
        } else {
            for (int i = at; i < segmentEnd; ++i) {
                if (i > lineStart && width + m_advances[i] > m_wrapWidth && !m_spaces[i]) {
                    lines.push_back({lineStart, i, width});
                    lineStart = i;
                    width = 0;
                }
                width += m_advances[i];
            }
        }
        at = segmentEnd;
    }
    lines.push_back({lineStart, n, width});
    return lines;
}

int WrapEstimate::LongestHead(int lines) const
{
    // The lines before the last one are those of the whole paragraph; the last one begins where
    // the paragraph's own does and may end a little further than it, where the head's end lets it.
    const std::vector<Line> all = Lines();
    if (int(all.size()) <= lines)
        return int(m_paragraph.size());
    const int lastStart = all[lines - 1].start;
    int fitting = all[lines].start;
    int overflowing = all[lines].end + 1;
    while (overflowing - fitting > 1) {
        const int middle = fitting + (overflowing - fitting) / 2;
        (Lines(lastStart, middle).size() == 1 ? fitting : overflowing) = middle;
    }
    return fitting;
}

int WrapEstimate::ShortestTailStart(int lines) const
{
    // A tail that begins where a line of the whole paragraph begins wraps as the rest of the
    // paragraph does: the last `lines` lines take `lines`, one line more takes one more. The
    // shortest tail begins between those two line starts, where a wrap of its own may fit more.
    const std::vector<Line> all = Lines();
    if (int(all.size()) <= lines)
        return 0;
    int overflowing = all[all.size() - lines - 1].start;
    int fitting = all[all.size() - lines].start;
    while (fitting - overflowing > 1) {
        const int middle = overflowing + (fitting - overflowing) / 2;
        (int(Lines(middle).size()) <= lines ? fitting : overflowing) = middle;
    }
    return fitting;
}
