#pragma once
#include "ShownText.h"
#include <QPlainTextEdit>

// The text box of the windows, behaving as the platform's edit control: its text is exactly what
// was set (CR LF kept, cut at the first NUL), whatever it shows; selection positions are positions
// of that text; it answers how it wraps the text into lines. Change fires on every change of the
// text, made by the program or by the user.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    QString Text() const { return m_content.text(); }
    void setText(const QString &text);

    // A multi-line box wraps at its width and shows line ends as line breaks; a single-line box
    // shows one line, line ends as spaces, and ignores Enter.
    bool MultiLine() const { return m_multiLine; }
    void setMultiLine(bool multiLine);

    int SelStart() const;
    void setSelStart(int start); // puts the caret there, selecting nothing
    int SelLength() const;
    void setSelLength(int length); // selects from SelStart, within the text
    QString SelText() const;
    // The place in the text (as SelStart counts it) nearest a point of the viewport.
    int TextIndexAt(const QPoint &viewportPoint) const;
    // A cursor over `length` characters of the text from `start` (held within the text), for
    // marks drawn over the text without moving the caret.
    QTextCursor TextRange(int start, int length) const;

    // Lines as the box wraps its text at its current width (at least 1).
    int LineCount() const;
    // The shown text of a wrapped line, without its line end; empty for a line that does not exist.
    QString Line(int index) const;
    int FirstVisibleLine() const;
    void setFirstVisibleLine(int index);
    // Lines from the first visible one that the box shows whole.
    int VisibleLineCount() const;
    // True when the text needs more lines than the box shows whole: a line that is only partly
    // visible, or scrolled out of view, counts as not shown.
    bool NeedsMoreLines() const;

signals:
    void Change();
    void DblClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void showContent();
    void userEdited(int position, int removed);
    void layOutNow() const;
    ShownText::Breaks breaks() const;
    QTextCursor cursorAtLine(int index) const;

    ShownText m_content;
    bool m_multiLine = true;
    bool m_showing = false;
};
