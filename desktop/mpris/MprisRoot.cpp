#include "MprisRoot.h"
#include "MediaControl.h"

MprisRoot::MprisRoot(QObject *object, MediaControl *control) : QDBusAbstractAdaptor(object), m_control(control) {}

QString MprisRoot::Identity() const
{
    return QStringLiteral("Tarrowin");
}

// The installed desktop file's name without ".desktop", as the interface asks.
QString MprisRoot::DesktopEntry() const
{
    return QStringLiteral("tarrowin");
}

void MprisRoot::Raise()
{
    m_control->raise();
}

void MprisRoot::Quit()
{
    m_control->quit();
}
