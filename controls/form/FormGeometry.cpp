#include "FormGeometry.h"
#include "mdlIniFile.h"
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

double TwipsPerPixel(double logicalDpi)
{
    return logicalDpi > 0 ? 1440.0 / logicalDpi : 15.0;
}

double TwipsPerPixel(const QWidget *widget)
{
    const QScreen *screen = widget->screen();
    return TwipsPerPixel(screen ? screen->logicalDotsPerInchY() : 96.0);
}

namespace {
// A stored length that is not positive keeps the current one; one longer than the screens allow
// is cut to them, so that a damaged settings file cannot make a window that cannot be drawn.
int Bounded(int stored, int current, int screens)
{
    if (stored <= 0)
        return current;
    return screens > 0 ? std::min(stored, screens) : stored;
}
}

void RestoreFormGeometry(QWidget *form, const QString &section)
{
    const double tpp = TwipsPerPixel(form);
    const auto read = [&](const char *key, int pixels) {
        const qint32 twips = mdlIniFile::ReadIniInteger(section, QLatin1String(key), qint32(std::lround(pixels * tpp)));
        return int(std::lround(twips / tpp));
    };
    const QScreen *screen = form->screen();
    const QSize screens = screen ? screen->availableVirtualSize() : QSize();
    form->resize(Bounded(read("KUANDU", form->width()), form->width(), screens.width()),
                 Bounded(read("GAODU", form->height()), form->height(), screens.height()));
    form->move(read("ZUOBIAN", 0), read("SHANGBIAN", 0));
}

void SaveFormGeometry(const QWidget *form, const QString &section)
{
    const QPoint at = form->pos();
    if (at.x() <= 0 || at.y() <= 0)
        return;
    const double tpp = TwipsPerPixel(form);
    const auto write = [&](const char *key, int pixels) {
        mdlIniFile::WriteIniString(section, QLatin1String(key), QString::number(std::lround(pixels * tpp)));
    };
    write("KUANDU", form->width());
    write("GAODU", form->height());
    write("ZUOBIAN", at.x());
    write("SHANGBIAN", at.y());
}
