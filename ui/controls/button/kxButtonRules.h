#pragma once
#include "kxButtonFields.h"
#include <QChar>
#include <QFont>
#include <QPoint>
#include <QString>

// The value rules of the styled button that need no window: access keys, hover-colour locks,
// picture sizes, font style bits and the custom click direction.
namespace kxButtonRules {

// The character after the last single "&" of a caption ("&&" is a literal ampersand); null when none.
QChar AccessKey(const QString &caption);
// The caption as a reader hears it: access-key marks removed, "||" line breaks as spaces.
QString PlainCaption(const QString &caption);

// HoverColorLocks: 0 both hover colours follow, 1 only the text colour, 2 only the back colour, 3 neither.
bool HoverTextFollows(qint32 locks);
bool HoverBackFollows(qint32 locks);
qint32 ReleaseTextLock(qint32 locks);
qint32 ReleaseBackLock(qint32 locks);
// The hover back colour that follows the face: the gradient colour when a gradient is drawn.
OleColor FollowedHoverBack(OleColor backColor, OleColor gradientColor, qint32 gradientMode);

// PictureSize 0..4 is stored as an image edge of 16..48 pixels; an edge of 0 reads as 16.
qint32 PictureSizeOf(qint16 imageSize);
qint16 ImageSizeOf(qint32 pictureSize);
bool IsImageSize(qint32 imageSize);

// FontStyle bits: 2 bold, 4 italic, 8 underline.
qint32 FontStyleOf(const QFont &font);
QFont WithFontStyle(QFont font, qint32 fontStyle);

// The one-pixel move of CustomClick 1..8 (1 up, 2 up-right, 3 up-left, 4 down-right, 5 down-left,
// 6 right, 7 down, 8 left); no move for anything else.
QPoint CustomClickOffset(qint32 customClick);

}
