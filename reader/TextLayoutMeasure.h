#pragma once
#include "PageMeasure.h"
#include <QFont>
#include <QHash>
#include <QSizeF>
#include <QTextOption>
#include <vector>

// The page box's question answered by laying the text out as the text box does: every line end
// (CR LF, a lone CR or a lone LF) starts a paragraph; each paragraph is wrapped to the viewport
// width less the document margin on both sides; lines stack from the top margin; a line counts
// as shown when it ends above the bottom margin and one pixel. Nothing is drawn and no widget is
// needed, and an overflowing text is laid out only as far as the first line that is not shown.
// Paragraphs are laid out on their own, so each one laid out whole is kept and reused: the
// questions of one page fit (the chunk, then a few of its heads or tails) lay out again only the
// paragraph that they cut. The tail that the box shows is found from the text's last paragraph
// up, so that a long chunk is not laid out whole. Make one measure for each fit, as the kept layouts are never dropped.
class TextLayoutMeasure : public PageMeasure
{
public:
    struct Box
    {
        QFont font;
        QSizeF viewport;     // pixels
        qreal documentMargin = 4;
        QTextOption option;  // the box document's text option (its wrap mode above all)
    };

    explicit TextLayoutMeasure(Box box) : m_box(std::move(box)) {}

    const Box &box() const { return m_box; }

    bool Overflows(const QString &text) override;
    int ShownHeadLength(const QString &text) override;
    int ShownTailStart(const QString &text) override;

private:
    struct Line
    {
        int start;          // in the text
        int end;            // in the text, before any line end
        qreal height;       // what the line adds to the stack
        qreal bottom;       // from the top of the viewport
        bool endsParagraph;
        qreal freeWidth;    // room left at the line's right end
    };

    // The lines of one paragraph, from the top of its block, and the height of the block; with
    // `complete` false it was laid out only as far as its first line below `shownBottom`.
    struct ParagraphLine
    {
        Line line;          // start and end in the paragraph; bottom unused
        qreal top;          // from the top of the block
        qreal rectHeight;
    };
    struct Paragraph
    {
        std::vector<ParagraphLine> lines;
        qreal bottom = 0;
        bool complete = true;
    };

    // Lays the text out; stops after the first line that is not shown when `stopAtOverflow`.
    std::vector<Line> LayOut(const QString &text, bool stopAtOverflow);
    // The lines of the last paragraphs of `text`, laid out from its end up until their heights
    // pass `room` (all of its lines when they never do); their bottoms are not set.
    std::vector<Line> LayOutTail(const QString &text, qreal room);
    // The paragraph `text` in a block at `blockTop`, kept or laid out now.
    Paragraph LayOutParagraph(const QString &text, qreal blockTop, bool stopAtOverflow);
    qreal WrapWidth() const;
    qreal ShownBottom() const;

    Box m_box;
    QHash<QString, Paragraph> m_paragraphs; // laid out whole
};
