#include "MprisClient.h"
#include "MprisService.h"
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QSignalSpy>

namespace MprisClient {
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

QDBusMessage call(QDBusConnection &client, const QString &interface, const QString &method, const QVariantList &arguments)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(MprisService::kServiceName, MprisService::kObjectPath, interface, method);
    message.setArguments(arguments);
    QDBusPendingCall pending = client.asyncCall(message);
    QDBusPendingCallWatcher watcher(pending);
    QSignalSpy finished(&watcher, &QDBusPendingCallWatcher::finished);
    if (!pending.isFinished())
        finished.wait(5000);
    return pending.reply();
}

QVariant property(QDBusConnection &client, const QString &interface, const QString &name)
{
    const QDBusMessage reply = call(client, kProperties, QStringLiteral("Get"), {interface, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}
}
