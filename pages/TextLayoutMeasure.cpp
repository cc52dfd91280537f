#include "TextLayoutMeasure.h"
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

TextLayoutMeasure::Paragraph TextLayoutMeasure::LayOutParagraph(const QString &text, qreal blockTop)
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
        paragraph.lines.push_back({y, advance, rectHeight});
        if (blockTop + y + rectHeight > shownBottom) {
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

bool TextLayoutMeasure::Overflows(const QString &text)
{
    const qreal shownBottom = ShownBottom();
    qreal blockTop = m_box.documentMargin;
    for (int start = 0;;) {
        int breakLength = 0;
        const int end = ParagraphEnd(text, start, breakLength);
        const Paragraph paragraph = LayOutParagraph(text.mid(start, end - start), blockTop);
        for (const ParagraphLine &line : paragraph.lines) {
            if (blockTop + line.top + line.rectHeight > shownBottom)
                return true;
        }
        if (breakLength == 0)
            return false;
        blockTop += paragraph.bottom;
        start = end + breakLength;
    }
}

TextLayoutMeasure::Estimate &TextLayoutMeasure::Estimated()
{
    static thread_local std::shared_ptr<Estimate> last;
    if (m_estimate)
        return *m_estimate;
    if (last && last->font == m_box.font && last->viewport == m_box.viewport
        && last->documentMargin == m_box.documentMargin) {
        m_estimate = last;
        return *m_estimate;
    }
    const ParagraphLine line = LayOutParagraph(QString(QChar(0x597D)), 0).lines.front(); // 好
    // Line i (from 0) of one font ends at margin + i * advance + rectHeight.
    const qreal room = ShownBottom() - m_box.documentMargin - line.rectHeight;
    const int shownLines = room < 0 ? 0 : line.advance > 0 ? int(room / line.advance) + 1 : INT_MAX;
    m_estimate = std::make_shared<Estimate>(
        Estimate{m_box.font, m_box.viewport, m_box.documentMargin, WrapEstimate(m_box.font, WrapWidth()), shownLines});
    last = m_estimate;
    return *m_estimate;
}

int TextLayoutMeasure::ShownHeadLength(const QString &text)
{
    Estimate &estimate = Estimated();
    int linesLeft = estimate.shownLines;
    int head = 0; // the end of the last paragraph shown whole
    for (int start = 0; linesLeft > 0;) {
        int breakLength = 0;
        const int end = ParagraphEnd(text, start, breakLength);
        estimate.wrap.SetParagraph(text.mid(start, end - start));
        const int lines = int(estimate.wrap.Lines().size());
        if (lines > linesLeft)
            return start + estimate.wrap.LongestHead(linesLeft);
        if (breakLength == 0)
            return int(text.size());
        linesLeft -= lines;
        head = end;
        start = end + breakLength;
    }
    return head;
}

int TextLayoutMeasure::ShownTailStart(const QString &text)
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
    // The last paragraphs whose lines the box shows, from the end up.
    Estimate &estimate = Estimated();
    int linesLeft = estimate.shownLines;
    int tailStart = int(text.size());
    for (auto at = paragraphs.rbegin(); at != paragraphs.rend() && linesLeft > 0; ++at) {
        const auto [start, end] = *at;
        estimate.wrap.SetParagraph(text.mid(start, end - start));
        const int lines = int(estimate.wrap.Lines().size());
        if (lines <= linesLeft) {
            linesLeft -= lines;
            tailStart = start;
            continue;
        }
        return start + estimate.wrap.ShortestTailStart(linesLeft);
    }
    return tailStart;
}
