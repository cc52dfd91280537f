#include "kxButtons_H.h"
#include "kxCaptionLayout.h"
#include "kxFaceRenderer.h"
#include "kxShape.h"
#include <QPainter>
#include <QScreen>

// The button's drawing: every paint renders the whole face from the fields into an off-screen
// image (kxFaceRenderer) and copies it to the window in one step; the window shape is the
// region of the button's shape. Layout, derived colours, the caption font and the picture
// analysis are computed from the fields and the window's font at every paint, so the steps
// that would rebuild them only have to ask for a new paint.

struct kxButtonPaintCache
{
    QImage surface;
    qint64 paletteKey = 0; // the palette the surface was drawn with: system colours come from it
};

void kxButtonPaintCacheDeleter::operator()(kxButtonPaintCache *cache) const
{
    delete cache;
}

namespace {
void renderInto(kxButtonPaintCache &cache, const kxDrawInput &in)
{
    cache.surface = kxFace::RenderButton(in);
    cache.paletteKey = in.palette.cacheKey();
}

kxDrawInput drawInputOf(const kxButtons_H &button, bool designMode)
{
    kxDrawInput in;
    in.fields = button.Fields();
    in.size = button.size();
    in.font = button.font();
    in.foreColor = button.ForeColor();
    in.enabled = button.isEnabled();
    in.designMode = designMode;
    if (const QScreen *screen = button.screen())
        in.screen = screen->geometry().size();
    in.palette = button.palette();
    return in;
}
}

void kxButtons_H::Repaint()
{
    if (m_F.m_DelayDrawing || CustomClickMove())
        return;
    if (!m_Paint)
        m_Paint.reset(new kxButtonPaintCache);
    renderInto(*m_Paint, drawInputOf(*this, DesignMode()));
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
    const QSize required = kxShape::requiredSize(m_F, size());
    if (required != size()) {
        const bool delayed = m_F.m_DelayDrawing;
        m_F.m_DelayDrawing = true;
        resize(required);
        m_F.m_DelayDrawing = delayed;
    }
    const QRegion region = kxFace::ButtonRegion(drawInputOf(*this, DesignMode()));
    if ((QRegion(rect()) - region).isEmpty())
        clearMask();
    else
        setMask(region);
}

void kxButtons_H::Relayout()
{
    if (m_Paint)
        m_Paint->surface = QImage();
}

void kxButtons_H::RecomputeColours()
{
    Relayout();
}

void kxButtons_H::RebuildFont()
{
    Relayout();
}

void kxButtons_H::AnalysePicture()
{
    Relayout();
}

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
    // Changes made while the delay flag was set were not drawn: the paint clears it and draws anew.
    const bool delayed = m_F.m_DelayDrawing;
    m_F.m_DelayDrawing = false;
    if (!m_Paint)
        m_Paint.reset(new kxButtonPaintCache);
    if (delayed || m_Paint->surface.size() != size() || m_Paint->paletteKey != palette().cacheKey())
        renderInto(*m_Paint, drawInputOf(*this, DesignMode()));
    QPainter(this).drawImage(0, 0, m_Paint->surface);
}

int kxButtons_H::OneLineCaptionWidth() const
{
    return kxCaption::OneLineWidth(m_F, kxCaption::fontMeasure(font(), m_F.m_CaptionAlign));
}
