#pragma once
#include "PageMeasure.h"
#include "WrapEstimate.h"
#include <QFont>
#include <QHash>
#include <QSizeF>
#include <QTextOption>
#include <memory>
#include <vector>

// The page box's question answered by laying the text out as the text box does: every line end
// (CR LF, a lone CR or a lone LF) starts a paragraph; each paragraph is wrapped to the viewport
// width less the document margin on both sides; lines stack from the top margin; a line counts
// as shown when it ends above the bottom margin and one pixel. Nothing is drawn and no widget is
// needed, and an overflowing text is laid out only as far as the first line that is not shown.
// Paragraphs are laid out on their own, so each one laid out whole is kept and reused: the
// questions of one page fit (a few heads or tails of the chunk) lay out again only the paragraph
// that they cut. Make one measure for each fit, as the kept layouts are never dropped.
// The guesses are not laid out: they wrap the text with a WrapEstimate and stack its lines, all
// as high as a line of the font's ideographs, so that a fit lays out only what it asks about.
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
    // The lines of one paragraph, from the top of its block, and the height of the block; with
    // `complete` false it was laid out only as far as its first line below the shown bottom.
    struct ParagraphLine
    {
        qreal top;
        qreal advance;      // what the line adds to the stack
        qreal rectHeight;
    };
    struct Paragraph
    {
        std::vector<ParagraphLine> lines;
        qreal bottom = 0;
        bool complete = true;
    };

    // The paragraph `text` in a block at `blockTop`, kept or laid out now.
    Paragraph LayOutParagraph(const QString &text, qreal blockTop);
    qreal WrapWidth() const;
    qreal ShownBottom() const;

    struct Estimate
    {
        QFont font;
        QSizeF viewport;
        qreal documentMargin;
        WrapEstimate wrap;
        int shownLines; // how many lines of the font's ideographs the box shows
    };
    // Made at the first guess, or the last one made when it was for a box of the same font and
    // size: a turn makes a new measure of the same box, and the estimate keeps the advances of
    // the characters it has seen.
    Estimate &Estimated();

    Box m_box;
    QHash<QString, Paragraph> m_paragraphs; // laid out whole
    std::shared_ptr<Estimate> m_estimate;
};
