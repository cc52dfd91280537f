#pragma once
#include <QString>
#include <QUrl>

// The project's home page: the caption of cmdHomePage, and the page opened on unload once the
// window has been open for ten minutes.
inline const QString kHomePageDomain = QStringLiteral("tarrowin.org");

// The address a home-page caption names: what follows its first ":" (the whole caption when it
// has none), after "http://".
QUrl HomePageAddress(const QString &caption);

// Ticks of the one-second timer after which closing the window opens the home page.
constexpr qint32 kHomePageTicks = 600;
