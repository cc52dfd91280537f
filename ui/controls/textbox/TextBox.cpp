#include "TextBox.h"
#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int) { userEdited(position, removed); });
}

ShownText::Breaks TextBox::breaks() const
{
    return m_multiLine ? ShownText::Breaks::AsLineBreaks : ShownText::Breaks::AsSpaces;
}

void TextBox::setText(const QString &text)
{
    const QString kept = CutAtNul(text);
    if (kept == m_content.text())
        return;
    m_content = ShownText(kept, breaks());
    showContent();
    emit Change();
}

void TextBox::showContent()
{
    m_showing = true;
    setPlainText(m_content.shown());
    m_showing = false;
}

void TextBox::userEdited(int position, int removed)
{
    if (m_showing)
        return;
    const QString shown = document()->toRawText();
    if (shown == m_content.shown())
        return;
    const QString text = m_content.textAfterEdit(position, removed, shown);
    m_content = ShownText(text, breaks());
    if (m_content.shown() != shown) { // the edit reached past a NUL: show what is kept
        const int caret = textCursor().position();
        showContent();
        QTextCursor c = textCursor();
        c.setPosition(std::min(caret, int(m_content.shown().size())));
        setTextCursor(c);
    }
    emit Change();
}

void TextBox::setMultiLine(bool multiLine)
{
    if (multiLine == m_multiLine)
        return;
    m_multiLine = multiLine;
    setLineWrapMode(multiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(multiLine ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(multiLine ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_content = ShownText(m_content.text(), breaks());
    showContent();
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !m_multiLine) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit DblClick();
}

int TextBox::TextIndexAt(const QPoint &viewportPoint) const
{
    return m_content.toText(cursorForPosition(viewportPoint).position());
}

int TextBox::SelStart() const
{
    return m_content.toText(textCursor().selectionStart());
}

void TextBox::setSelStart(int start)
{
    QTextCursor c = textCursor();
    c.setPosition(m_content.toShown(start));
    setTextCursor(c);
}

int TextBox::SelLength() const
{
    const QTextCursor c = textCursor();
    return m_content.toText(c.selectionEnd()) - m_content.toText(c.selectionStart());
}

void TextBox::setSelLength(int length)
{
    setTextCursor(TextRange(SelStart(), length));
}

QTextCursor TextBox::TextRange(int start, int length) const
{
    const int size = int(m_content.text().size());
    const int from = std::clamp(start, 0, size);
    const int end = std::clamp(from + std::max(length, 0), from, size);
    QTextCursor c = textCursor();
    c.setPosition(m_content.toShown(from));
    c.setPosition(m_content.toShown(end), QTextCursor::KeepAnchor);
    return c;
}

QString TextBox::SelText() const
{
    return m_content.text().mid(SelStart(), SelLength());
}

// A box that has not been shown yet has not been told its size: tell it now, so that the lines
// are those of its current width and height.
void TextBox::layOutNow() const
{
    auto *self = const_cast<TextBox *>(this);
    if (testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent resize(size(), QSize());
        QCoreApplication::sendEvent(self, &resize);
        self->setAttribute(Qt::WA_PendingResizeEvent, false);
    }
    if (viewport()->testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent resize(viewport()->size(), QSize());
        QCoreApplication::sendEvent(viewport(), &resize);
        viewport()->setAttribute(Qt::WA_PendingResizeEvent, false);
    }
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        document()->documentLayout()->blockBoundingRect(b);
}

int TextBox::LineCount() const
{
    layOutNow();
    int count = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        count += std::max(1, b.layout()->lineCount());
    return std::max(count, 1);
}

QTextCursor TextBox::cursorAtLine(int index) const
{
    layOutNow();
    int first = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        const int lines = std::max(1, b.layout()->lineCount());
        if (index < first + lines) {
            QTextCursor c(b);
            if (b.layout()->lineCount() > 0) {
                const QTextLine line = b.layout()->lineAt(index - first);
                c.setPosition(b.position() + line.textStart());
                c.setPosition(b.position() + line.textStart() + line.textLength(), QTextCursor::KeepAnchor);
            }
            return c;
        }
        first += lines;
    }
    return QTextCursor();
}

QString TextBox::Line(int index) const
{
    if (index < 0)
        return QString();
    const QTextCursor c = cursorAtLine(index);
    if (c.isNull())
        return QString();
    QString line = c.selectedText();
    line.remove(QChar(QChar::ParagraphSeparator));
    return line;
}

int TextBox::FirstVisibleLine() const
{
    layOutNow();
    return verticalScrollBar()->value();
}

void TextBox::setFirstVisibleLine(int index)
{
    layOutNow();
    verticalScrollBar()->setValue(index);
}

int TextBox::VisibleLineCount() const
{
    layOutNow();
    // As for scrolling, a line counts as shown when it ends above the bottom margin and one pixel.
    const qreal bottom = viewport()->height() - document()->documentMargin() - 1;
    const QPointF offset = contentOffset();
    int count = 0;
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF block = blockBoundingGeometry(b).translated(offset);
        const QTextLayout *layout = b.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QRectF line = layout->lineAt(i).rect().translated(block.topLeft() + layout->position());
            if (line.top() < -0.5)
                continue;
            if (line.bottom() > bottom + 0.5)
                return count;
            ++count;
        }
        if (block.top() > bottom)
            break;
    }
    return count;
}

bool TextBox::NeedsMoreLines() const
{
    return FirstVisibleLine() > 0 || FirstVisibleLine() + VisibleLineCount() < LineCount();
}
