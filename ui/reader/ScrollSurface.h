#pragma once
#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

// A drawing surface that keeps what is drawn into it: text printed line after line stays in its
// image whatever the surface's size does, so a surface shrunk to nothing and grown again shows
// the same drawing, uncovered from the top. A new text colour, background colour or font draws
// the printed lines again in it at once.
class ScrollSurface : public QWidget
{
    Q_OBJECT
public:
    explicit ScrollSurface(QWidget *parent = nullptr);

    QColor ForeColor() const { return m_fore; }
    void setForeColor(const QColor &colour);
    QColor BackColor() const { return m_back; }
    void setBackColor(const QColor &colour);

    // Erases the drawing and puts the drawing position back to the top left corner.
    void Cls();
    // Draws `line` at the drawing position in the surface's font and text colour, cut at the
    // right edge, and moves the drawing position to the start of the next line.
    void Print(const QString &line);

    // The kept drawing.
    const QImage &Image() const { return m_image; }

signals:
    void MouseUp(Qt::MouseButton button, QPoint position);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Makes the image at least as large as the surface, keeping what it holds.
    void GrowImage();
    void DrawLine(const QString &line);
    // Clears the image and prints the kept lines again in the current colours and font.
    void Redraw();

    QImage m_image;
    QStringList m_lines; // printed since the last Cls
    QColor m_fore = Qt::black;
    QColor m_back = Qt::white;
    int m_currentY = 0;
};
