#include "MprisService.h"
#include "MediaControl.h"
#include "MprisPlayer.h"
#include "MprisRoot.h"
#include <QDBusMessage>
#include <QLoggingCategory>
#include <QStringList>

Q_LOGGING_CATEGORY(lcMpris, "tarrowin.desktop.mpris", QtWarningMsg)

const QString MprisService::kServiceName = QStringLiteral("org.mpris.MediaPlayer2.tarrowin");
const QString MprisService::kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

namespace {
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
}

MprisService::MprisService(MediaControl *control, QDBusConnection bus, QObject *parent)
    : QObject(parent), m_control(control), m_bus(std::move(bus)), m_object(new QObject(this))
{
    if (!m_bus.isConnected())
        return; // a console or a test without a session bus: no media interface, no error
    new MprisRoot(m_object, control);
    m_player = new MprisPlayer(m_object, control);
    if (!m_bus.registerObject(kObjectPath, m_object) || !m_bus.registerService(kServiceName)) {
        qCWarning(lcMpris) << "cannot offer the media interface on the session bus:" << m_bus.lastError().message();
        m_bus.unregisterObject(kObjectPath);
        return;
    }
    m_registered = true;
    connect(control, &MediaControl::statusChanged, this, &MprisService::announceStatus);
    connect(control, &MediaControl::metadataChanged, this, &MprisService::announceMetadata);
    connect(control, &MediaControl::volumeChanged, this, &MprisService::announceVolume);
    connect(control, &MediaControl::rateChanged, this,
            [this] { announce(kPlayerInterface, {{QStringLiteral("Rate"), m_control->rate()}}); });
}

MprisService::~MprisService()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(kServiceName);
    m_bus.unregisterObject(kObjectPath);
}

void MprisService::announce(const QString &interface, const QVariantMap &changed)
{
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interface << changed << QStringList();
    m_bus.send(signal);
}

void MprisService::announceStatus()
{
    announce(kPlayerInterface, {{QStringLiteral("PlaybackStatus"), m_player->PlaybackStatus()}});
}

void MprisService::announceMetadata()
{
    announce(kPlayerInterface, {{QStringLiteral("Metadata"), m_player->Metadata()}});
}

void MprisService::announceVolume()
{
    announce(kPlayerInterface, {{QStringLiteral("Volume"), m_control->volume()}});
}
