#include "ScrollSurface.h"
#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace {

// A surface is a picture to assistive tools: its name, and the role of a graphic.
class ScrollSurfaceAccessible : public QAccessibleWidget
{
public:
    explicit ScrollSurfaceAccessible(QWidget *surface) : QAccessibleWidget(surface, QAccessible::Graphic) {}
};

QAccessibleInterface *SurfaceAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ScrollSurface") && object && object->isWidgetType())
        return new ScrollSurfaceAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

}

ScrollSurface::ScrollSurface(QWidget *parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(SurfaceAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScrollSurface::setForeColor(const QColor &colour)
{
    if (colour == m_fore)
        return;
    m_fore = colour;
    Redraw();
}

void ScrollSurface::setBackColor(const QColor &colour)
{
    if (colour == m_back)
        return;
    m_back = colour;
    Redraw();
}

void ScrollSurface::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Redraw();
}

void ScrollSurface::GrowImage()
{
    const QSize wanted = m_image.size().expandedTo(size()).expandedTo(QSize(1, 1));
    if (wanted == m_image.size())
        return;
    QImage grown(wanted, QImage::Format_RGB32);
    grown.fill(m_back);
    QPainter(&grown).drawImage(0, 0, m_image);
    m_image = grown;
}

void ScrollSurface::Cls()
{
    m_lines.clear();
    Redraw();
}

void ScrollSurface::Redraw()
{
    GrowImage();
    m_image.fill(m_back);
    m_currentY = 0;
    for (const QString &line : std::as_const(m_lines))
        DrawLine(line);
    update();
}

void ScrollSurface::Print(const QString &line)
{
    GrowImage();
    m_lines << line;
    DrawLine(line);
    update();
}

void ScrollSurface::DrawLine(const QString &line)
{
    const QFontMetricsF metrics(font());
    {
        QPainter painter(&m_image);
        painter.setFont(font());
        painter.setPen(m_fore);
        painter.setClipRect(QRect(0, 0, width(), m_image.height()));
        painter.drawText(QPointF(0, m_currentY + metrics.ascent()), line);
    }
    m_currentY += qCeil(metrics.lineSpacing());
}

void ScrollSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_back);
    painter.drawImage(0, 0, m_image);
}

void ScrollSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    GrowImage();
}

void ScrollSurface::mouseReleaseEvent(QMouseEvent *event)
{
    emit MouseUp(event->button(), event->position().toPoint());
}
