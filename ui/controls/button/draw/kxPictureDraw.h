#pragma once
#include <QImage>
#include <QRect>

class QPainter;

// Pictures on the button: the key-colour rule, the scaled copy, transparent drawing and the
// disabled look.
namespace kxPictureDraw {
// True when each channel of `pixel` lies within 3 of the key's.
bool nearKey(QRgb pixel, QRgb key);

// The picture scaled to `size`, its pixel (0, 0) taken as the key colour and every pixel near
// the key set to exactly the key. Format RGB32.
QImage PreparePicture(const QImage &picture, QSize size);

// The prepared copy with its key-coloured pixels made fully transparent.
QImage withKeyTransparent(const QImage &prepared);

// Where a picture of `picture` size lands in `slot`: a picture larger than the slot is scaled
// down keeping its aspect ratio and centred; any other fills the slot.
QRect fitInSlot(QRect slot, QSize picture);

// The size of `picture` scaled by the smaller of the two ratios that fit it into `box`.
QSize fitKeepingAspect(QSize picture, QSize box);

// Combines `image` with `destination` (same size) the way a disabled picture is shown: the
// image is taken as a mask (its white pixels 1, all others 0) and each destination bit is kept
// where the mask is 1 and taken from grey 0x808080 where it is 0, so white leaves the face as
// it is and the drawing becomes a grey silhouette.
QImage blendDisabled(const QImage &destination, const QImage &image);
}
