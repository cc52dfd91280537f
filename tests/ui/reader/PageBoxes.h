#pragma once
#include "TextBox.h"
#include <QFont>
#include <QSize>

// The page boxes the tests measure: three sizes and two fonts.
struct PageBoxCase
{
    const char *name;
    QSize size;
    const char *family;
    qreal points;
};

inline const PageBoxCase PageBoxCases[] = {
    {"small, Kai 21.75", {330, 288}, "AR PL UKai CN", 21.75},
    {"design, Kai 21.75", {327, 288 * 3 / 2}, "AR PL UKai CN", 21.75},
    {"wide, Kai 21.75", {1000, 700}, "AR PL UKai CN", 21.75},
    {"small, Sans 10.5", {330, 288}, "Noto Sans CJK SC", 10.5},
    {"design, Sans 10.5", {327, 432}, "Noto Sans CJK SC", 10.5},
    {"wide, Sans 10.5", {1000, 700}, "Noto Sans CJK SC", 10.5},
};

// A page box as the reader sets it up: no scroll bars, the case's size and font.
inline void SetUpPageBox(TextBox &box, const PageBoxCase &c)
{
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font(QString::fromLatin1(c.family));
    font.setPointSizeF(c.points);
    box.setFont(font);
    box.resize(c.size);
}
