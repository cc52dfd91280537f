#pragma once
#include "PageMeasure.h"
#include <QFont>
#include <QSizeF>
#include <QTextOption>
#include <vector>

// The page box's question answered by laying the text out as the text box does: every line end
// (CR LF, a lone CR or a lone LF) starts a paragraph; each paragraph is wrapped to the viewport
// width less the document margin on both sides; lines stack from the top margin; a line counts
// as shown when it ends above the bottom margin and one pixel. Nothing is drawn and no widget is
// needed, and an overflowing text is laid out only as far as the first line that is not shown.
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

    // Lays the text out; stops after the first line that is not shown when `stopAtOverflow`.
    std::vector<Line> LayOut(const QString &text, bool stopAtOverflow) const;
    qreal WrapWidth() const;
    qreal ShownBottom() const;

    Box m_box;
};
