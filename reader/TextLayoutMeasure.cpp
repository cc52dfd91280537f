#include "TextLayoutMeasure.h"
#include <QFontMetricsF>
#include <QTextLayout>
#include <QtMath>
#include <climits>

namespace {

// The paragraph that starts at `start`: where it ends and how long its line end is (0 at the
// end of the text).
int ParagraphEnd(const QString &text, int start, int &breakLength)
{
    for (int i = start; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n') {
            breakLength = 1;
            return i;
        }
        if (c == u'\r') {
            breakLength = (i + 1 < text.size() && text.at(i + 1) == u'\n') ? 2 : 1;
            return i;
        }
    }
    breakLength = 0;
    return int(text.size());
}

// Tolerance of the text box when it compares a line's bottom with the viewport's.
constexpr qreal Tolerance = 0.5;

}

qreal TextLayoutMeasure::WrapWidth() const
{
    const qreal width = m_box.viewport.width() > 0 ? m_box.viewport.width() : qreal(INT_MAX);
    return width - 2 * m_box.documentMargin;
}

qreal TextLayoutMeasure::ShownBottom() const
{
    return m_box.viewport.height() - m_box.documentMargin - 1 + Tolerance;
}

TextLayoutMeasure::Paragraph TextLayoutMeasure::LayOutParagraph(const QString &text, qreal blockTop,
                                                                bool stopAtOverflow)
{
    const auto kept = m_paragraphs.constFind(text);
    if (kept != m_paragraphs.constEnd())
        return kept.value();
    const qreal wrapWidth = WrapWidth();
    const qreal shownBottom = ShownBottom();
    Paragraph paragraph;
    QTextLayout layout(text, m_box.font);
    layout.setTextOption(m_box.option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(wrapWidth);
        line.setPosition(QPointF(m_box.documentMargin, y));
        qreal advance = line.height();
        if (line.leading() < 0)
            advance += qCeil(line.leading());
        const qreal rectHeight = line.rect().height();
        paragraph.lines.push_back({{line.textStart(), line.textStart() + line.textLength(), advance, 0, false,
                                    wrapWidth - line.naturalTextWidth()},
                                   y, rectHeight});
        if (stopAtOverflow && blockTop + y + rectHeight > shownBottom) {
            paragraph.complete = false;
            break;
        }
        y += advance;
    }
    layout.endLayout();
    if (paragraph.complete) {
        paragraph.bottom = layout.boundingRect().bottom();
        m_paragraphs.insert(text, paragraph);
    }
    return paragraph;
}

std::vector<TextLayoutMeasure::Line> TextLayoutMeasure::LayOut(const QString &text, bool stopAtOverflow)
{
    std::vector<Line> lines;
    const qreal shownBottom = ShownBottom();
    qreal blockTop = m_box.documentMargin;
    int start = 0;
    for (;;) {
        int breakLength = 0;
        const int end = ParagraphEnd(text, start, breakLength);
        const Paragraph paragraph = LayOutParagraph(text.mid(start, end - start), blockTop, stopAtOverflow);
        bool overflowed = false;
        for (const ParagraphLine &kept : paragraph.lines) {
            Line line = kept.line;
            line.start += start;
            line.end += start;
            line.bottom = blockTop + kept.top + kept.rectHeight;
            lines.push_back(line);
            if (stopAtOverflow && line.bottom > shownBottom) {
                overflowed = true;
                break;
            }
        }
        if (!paragraph.lines.empty()) {
            lines.back().endsParagraph = true;
            lines.back().end = qMin(lines.back().end, end);
        }
        if (overflowed || breakLength == 0)
            return lines;
        blockTop += paragraph.bottom;
        start = end + breakLength;
    }
}

bool TextLayoutMeasure::Overflows(const QString &text)
{
    const std::vector<Line> lines = LayOut(text, true);
    return !lines.empty() && lines.back().bottom > ShownBottom();
}

int TextLayoutMeasure::ShownHeadLength(const QString &text)
{
    const std::vector<Line> lines = LayOut(text, true);
    const qreal shownBottom = ShownBottom();
    int head = 0;
    for (const Line &line : lines) {
        if (line.bottom > shownBottom)
            return head;
        head = line.end;
    }
    return int(text.size());
}

std::vector<TextLayoutMeasure::Line> TextLayoutMeasure::LayOutTail(const QString &text, qreal room)
{
    std::vector<std::pair<int, int>> paragraphs; // start and end of each, in the text
    for (int start = 0;;) {
        int breakLength = 0;
        const int end = ParagraphEnd(text, start, breakLength);
        paragraphs.emplace_back(start, end);
        if (breakLength == 0)
            break;
        start = end + breakLength;
    }
    std::vector<Line> lines;
    qreal used = 0;
    for (auto at = paragraphs.rbegin(); at != paragraphs.rend() && used <= room; ++at) {
        const auto [start, end] = *at;
        std::vector<Line> block;
        for (const ParagraphLine &kept : LayOutParagraph(text.mid(start, end - start), 0, false).lines) {
            Line line = kept.line;
            line.start += start;
            line.end += start;
            used += line.height;
            block.push_back(line);
        }
        if (!block.empty()) {
            block.back().endsParagraph = true;
            block.back().end = qMin(block.back().end, end);
        }
        lines.insert(lines.begin(), block.begin(), block.end());
    }
    return lines;
}

int TextLayoutMeasure::ShownTailStart(const QString &text)
{
    const qreal room = ShownBottom() - m_box.documentMargin;
    const std::vector<Line> lines = LayOutTail(text, room);
    // The last lines whose heights stack within the viewport, from the end up.
    qreal used = 0;
    std::size_t first = lines.size();
    while (first > 0 && used + lines[first - 1].height <= room) {
        used += lines[first - 1].height;
        --first;
    }
    if (first == 0)
        return 0;
    if (first == lines.size())
        return int(text.size());
    const int tailStart = lines[first].start;
    if (lines[first - 1].endsParagraph)
        return tailStart;
    // The paragraph the tail begins in takes more of its characters while its last line has room.
    std::size_t last = first;
    while (!lines[last].endsParagraph)
        ++last;
    const QFontMetricsF metrics(m_box.font);
    qreal free = lines[last].freeWidth;
    int guess = tailStart;
    while (guess > lines[first - 1].start) {
        free -= metrics.horizontalAdvance(text.at(guess - 1));
        if (free < 0)
            break;
        --guess;
    }
    return guess;
}
