#pragma once
#include <QRect>
#include <QString>
#include <functional>

class QFont;
struct kxButtonFields;

// The part of the face across which caption and picture are laid out.
struct kxContentArea
{
    int left = 0;
    int right = 0;
    int width = 0;
};

struct kxCaptionLayout
{
    kxContentArea area;
    QRect caption; // where the caption is drawn
    QRect picture; // where the picture is drawn (empty without a picture)
};

namespace kxCaption {
// The caption as it is measured and drawn: "||" becomes a line break, and characters that the
// double-byte code page cannot hold become "?".
QString drawText(const QString &caption);

// Flags for measuring and drawing a caption: word wrap, access-key underline, the alignment.
int textFlags(int captionAlign);

// Measures `text` wrapped at `maxWidth`: the width and height it takes.
using TextMeasure = std::function<QSize(const QString &text, int maxWidth)>;
TextMeasure fontMeasure(const QFont &font, int captionAlign);

kxContentArea contentArea(int shape, int width, int contentLeft, int contentRight);

// The width a face of the plain shape needs for the caption to stand on one line, beside the
// picture when it lies at the caption's side.
int OneLineWidth(const kxButtonFields &f, const TextMeasure &measure);

// Places caption and picture inside the face of a W x H button.
kxCaptionLayout LayoutCaptionAndPicture(const kxButtonFields &f, QSize size, int contentLeft, int contentRight,
                                        const TextMeasure &measure);
}
