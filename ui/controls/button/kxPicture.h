#pragma once
#include <QImage>
#include <QMetaType>

// A picture object as the button's Picture and MouseIcon properties take it: an image, and
// whether it is an icon (icons cannot outline a custom-shaped button). A null image is "none".
struct kxPicture
{
    QImage image;
    bool isIcon = false;

    bool isNull() const { return image.isNull(); }
    friend bool operator==(const kxPicture &a, const kxPicture &b)
    {
        return a.isIcon == b.isIcon && a.image == b.image;
    }
    friend bool operator!=(const kxPicture &a, const kxPicture &b) { return !(a == b); }
};
Q_DECLARE_METATYPE(kxPicture)
