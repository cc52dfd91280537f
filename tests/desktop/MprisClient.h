#pragma once
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>

// The media player's object as a desktop's media widget reaches it, for tests whose service
// answers from the test's own thread: every call waits for its answer with the event loop running.
namespace MprisClient {
extern const QString kProperties;
extern const QString kRoot;
extern const QString kPlayer;

QDBusMessage call(QDBusConnection &client, const QString &interface, const QString &method,
                  const QVariantList &arguments = {});
// A property's value; invalid when it could not be read.
QVariant property(QDBusConnection &client, const QString &interface, const QString &name);
}
