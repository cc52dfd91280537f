#include "kxButtons_H.h"
#include <QPainter>

// A plain face: the face colour, a simple raised or sunken edge and the caption centred.

struct kxButtonPaintCache
{
    QImage surface;
};

void kxButtonPaintCacheDeleter::operator()(kxButtonPaintCache *cache) const
{
    delete cache;
}

namespace {
QColor Translated(OleColor colour, const QPalette &palette)
{
    if (colour & 0x80000000u) {
        switch (colour & 0xFF) {
        case 0x0F: return palette.color(QPalette::Button);
        case 0x12: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}
}

void kxButtons_H::Repaint()
{
    if (m_F.m_DelayDrawing || CustomClickMove())
        return;
    if (!m_Paint)
        m_Paint.reset(new kxButtonPaintCache);
    QImage &surface = m_Paint->surface;
    if (surface.size() != size())
        surface = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    const bool checked = m_F.m_Mode != kxButton::ModeCommand && m_F.m_Value;
    const bool sunken = IsPressed() || checked;
    const bool hot = IsHot() && !sunken;
    QPainter p(&surface);
    p.fillRect(surface.rect(), Translated(hot ? m_F.m_HoverBackColor : m_F.m_BackColor, palette()));
    const QRect edge = surface.rect().adjusted(0, 0, -1, -1);
    p.setPen(sunken ? Qt::black : Qt::white);
    p.drawLine(edge.topLeft(), edge.topRight());
    p.drawLine(edge.topLeft(), edge.bottomLeft());
    p.setPen(sunken ? Qt::white : Qt::black);
    p.drawLine(edge.bottomLeft(), edge.bottomRight());
    p.drawLine(edge.topRight(), edge.bottomRight());
    p.setFont(font());
    p.setPen(Translated(hot ? m_F.m_HoverForeColor : m_ForeColor, palette()));
    QString caption = m_F.m_Caption;
    caption.replace(QStringLiteral("||"), QStringLiteral("\n"));
    p.drawText(surface.rect().translated(sunken ? 1 : 0, sunken ? 1 : 0),
               Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
    update();
}

void kxButtons_H::ResizeHandling()
{
    if (m_Paint)
        m_Paint->surface = QImage();
    if (m_F.m_DelayDrawing)
        return;
    BuildRegion();
    Relayout();
    Repaint();
}

void kxButtons_H::BuildRegion()
{
    clearMask();
}

void kxButtons_H::Relayout() {}

void kxButtons_H::RecomputeColours() {}

void kxButtons_H::RebuildFont() {}

void kxButtons_H::AnalysePicture() {}

void kxButtons_H::ReleaseDrawing()
{
    m_Paint.reset();
}

QPaintDevice *kxButtons_H::hDC() const
{
    return m_Paint ? &m_Paint->surface : nullptr;
}

void kxButtons_H::paintEvent(QPaintEvent *)
{
    if (!m_Paint || m_Paint->surface.isNull())
        return;
    QPainter(this).drawImage(0, 0, m_Paint->surface);
}
