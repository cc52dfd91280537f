#pragma once
#include <QString>
#include <QUrl>

// The home page is the listener's own setting (ZHUYE in the read-aloud window's section, written
// only by hand): the caption of cmdHomePage, and the page opened on unload once the window has
// been open for ten minutes. Empty by default: the button is not shown and nothing opens.
inline const QString kHomePageKey = QStringLiteral("ZHUYE");

// The address a home-page caption names: what follows its first ":" (the whole caption when it
// has none), after "http://".
QUrl HomePageAddress(const QString &caption);

// Ticks of the one-second timer after which closing the window opens the home page.
constexpr qint32 kHomePageTicks = 600;
