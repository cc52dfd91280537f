#include "kxButtonRules.h"

namespace kxButtonRules {

QChar AccessKey(const QString &caption)
{
    QChar key;
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            key = caption[i + 1];
        ++i;
    }
    return key;
}

QString PlainCaption(const QString &caption)
{
    QString plain;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    return plain.replace(QStringLiteral("||"), QStringLiteral(" "));
}

bool HoverTextFollows(qint32 locks) { return locks == 0 || locks == 1; }
bool HoverBackFollows(qint32 locks) { return locks == 0 || locks == 2; }

qint32 ReleaseTextLock(qint32 locks)
{
    if (locks == 0)
        return 2;
    return locks == 1 ? 3 : locks;
}

qint32 ReleaseBackLock(qint32 locks)
{
    if (locks == 0)
        return 1;
    return locks == 2 ? 3 : locks;
}

OleColor FollowedHoverBack(OleColor backColor, OleColor gradientColor, qint32 gradientMode)
{
    return gradientMode != 0 ? gradientColor : backColor;
}

qint32 PictureSizeOf(qint16 imageSize)
{
    return (imageSize == 0 ? 16 : imageSize) / 8 - 2;
}

qint16 ImageSizeOf(qint32 pictureSize)
{
    return static_cast<qint16>((pictureSize + 2) * 8);
}

bool IsImageSize(qint32 imageSize)
{
    return imageSize == 0 || (imageSize >= 16 && imageSize <= 48 && imageSize % 8 == 0);
}

qint32 FontStyleOf(const QFont &font)
{
    return (font.bold() ? 2 : 0) | (font.italic() ? 4 : 0) | (font.underline() ? 8 : 0);
}

QFont WithFontStyle(QFont font, qint32 fontStyle)
{
    font.setBold(fontStyle & 2);
    font.setItalic(fontStyle & 4);
    font.setUnderline(fontStyle & 8);
    return font;
}

QPoint CustomClickOffset(qint32 customClick)
{
    switch (customClick) {
    case 1: return {0, -1};
    case 2: return {1, -1};
    case 3: return {-1, -1};
    case 4: return {1, 1};
    case 5: return {-1, 1};
    case 6: return {1, 0};
    case 7: return {0, 1};
    case 8: return {-1, 0};
    default: return {0, 0};
    }
}

}
