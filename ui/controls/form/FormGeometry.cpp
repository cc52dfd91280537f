#include "FormGeometry.h"
#include "FormSettings.h"
#include "ScreenPlacement.h"
#include <QGuiApplication>
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

TwipsRect TwipsOf(const QWidget *widget, double tpp)
{
    return {widget->x() * tpp, widget->y() * tpp, widget->width() * tpp, widget->height() * tpp};
}

void PlaceInTwips(QWidget *widget, const TwipsRect &place, double tpp)
{
    auto px = [tpp](double twips) { return int(std::lround(twips / tpp)); };
    widget->setGeometry(px(place.left), px(place.top), px(place.width), px(place.height));
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

QList<QRect> UsableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

int Pixels(qint32 twips, double tpp)
{
    return int(std::lround(twips / tpp));
}
}

void RestoreFormGeometry(QWidget *form, const FormSettings &settings)
{
    const double tpp = TwipsPerPixel(form);
    const auto read = [&](const QString &key, int pixels) {
        return Pixels(settings.ReadInteger(key, qint32(std::lround(pixels * tpp))), tpp);
    };
    const QScreen *screen = form->screen();
    const QSize screens = screen ? screen->availableVirtualSize() : QSize();
    const QSize size(Bounded(read(QStringLiteral("KUANDU"), form->width()), form->width(), screens.width()),
                     Bounded(read(QStringLiteral("GAODU"), form->height()), form->height(), screens.height()));
    const QRect stored(QPoint(read(QStringLiteral("ZUOBIAN"), 0), read(QStringLiteral("SHANGBIAN"), 0)), size);
    form->setGeometry(ScreenPlacement::BroughtOnto(stored, UsableScreenAreas()));
}

void SaveFormGeometry(const QWidget *form, const FormSettings &settings)
{
    const QRect inner = form->geometry();
    if (inner.left() <= 0 || inner.top() <= 0 || form->isMinimized()
        || !ScreenPlacement::Reachable(inner, UsableScreenAreas()))
        return;
    const double tpp = TwipsPerPixel(form);
    const auto write = [&](const QString &key, int pixels) {
        settings.Write(key, QString::number(std::lround(pixels * tpp)));
    };
    write(QStringLiteral("KUANDU"), inner.width());
    write(QStringLiteral("GAODU"), inner.height());
    write(QStringLiteral("ZUOBIAN"), inner.left());
    write(QStringLiteral("SHANGBIAN"), inner.top());
}
