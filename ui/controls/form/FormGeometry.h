#pragma once
#include "TwipsRect.h"

class FormSettings;
class QWidget;

// Twips per pixel at a logical DPI: 1440 / DPI (15 at 96 DPI).
double TwipsPerPixel(double logicalDpi);
// Twips per pixel of the screen the widget is on.
double TwipsPerPixel(const QWidget *widget);

// A control's place in twips, and a control put at a place in twips.
TwipsRect TwipsOf(const QWidget *widget, double twipsPerPixel);
void PlaceInTwips(QWidget *widget, const TwipsRect &place, double twipsPerPixel);

// A window's size and place from its settings (KUANDU, GAODU, ZUOBIAN, SHANGBIAN, in twips), all
// four of the window's inner rectangle (without the frame a window manager adds). A missing or
// non-positive size keeps the current one, one larger than the screens is cut to them, a missing
// place is the screen's top left; a place from which the window cannot be reached on any screen
// is moved onto the nearest screen.
void RestoreFormGeometry(QWidget *form, const FormSettings &settings);
// Writes them, but only while the window's left and top are both greater than 0, it is not
// minimised and it can be reached on a screen: otherwise the geometry stored before stays.
void SaveFormGeometry(const QWidget *form, const FormSettings &settings);
