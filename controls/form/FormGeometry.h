#pragma once
#include <QString>

class QWidget;

// Twips per pixel at a logical DPI: 1440 / DPI (15 at 96 DPI).
double TwipsPerPixel(double logicalDpi);
// Twips per pixel of the screen the widget is on.
double TwipsPerPixel(const QWidget *widget);

// Size and place of a window from its settings section (KUANDU, GAODU, ZUOBIAN, SHANGBIAN, in
// twips); a missing size keeps the current one and a missing place is the screen's top left.
void RestoreFormGeometry(QWidget *form, const QString &section);
// Writes them, but only while the window's left and top are both greater than 0: a minimised
// or pushed-off window keeps the geometry stored before.
void SaveFormGeometry(const QWidget *form, const QString &section);
