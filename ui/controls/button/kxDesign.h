#pragma once
#include "kxButtons_H.h"
#include <QList>
#include <QPair>
#include <QVariant>

// A window's design data for one styled button: property-bag keys and their values.
using kxDesign = QList<QPair<QString, QVariant>>;

// Places a styled button on `parent` as the window's design gives it: the stored properties are
// loaded through the property bag, as a saved window loads them.
kxButtons_H *PlaceButton(QWidget *parent, const char *name, const kxDesign &design, const QString &toolTip = {});
// A button whose design differs from a new button's only by its caption.
kxButtons_H *PlaceButton(QWidget *parent, const char *name, const QString &caption, const QString &toolTip = {});
