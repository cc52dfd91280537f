#pragma once
#include <QDBusConnection>
#include <QProcess>
#include <QString>

// A dbus-daemon of the test's own, so that tests of the session bus never touch the user's.
// `address()` is empty when no daemon could be started.
class PrivateSessionBus
{
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    QString address() const { return m_address; }
    // A new connection to the bus under a name of the caller's choosing.
    QDBusConnection connect(const QString &name) const;

private:
    QProcess m_daemon;
    QString m_address;
};
