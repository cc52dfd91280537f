#include "kxDesign.h"

kxButtons_H *PlaceButton(QWidget *parent, const char *name, const kxDesign &design, const QString &toolTip)
{
    auto *button = new kxButtons_H(parent);
    button->setObjectName(QLatin1String(name));
    button->LoadDesign(design);
    button->setToolTip(toolTip);
    return button;
}

kxButtons_H *PlaceButton(QWidget *parent, const char *name, const QString &caption, const QString &toolTip)
{
    return PlaceButton(parent, name, kxDesign{{QStringLiteral("Caption"), caption}}, toolTip);
}
