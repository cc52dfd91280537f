#include "MprisPlayer.h"
#include "MediaControl.h"
#include <QStringList>

MprisPlayer::MprisPlayer(QObject *object, MediaControl *control) : QDBusAbstractAdaptor(object), m_control(control) {}

QString MprisPlayer::PlaybackStatus() const
{
    switch (m_control->status()) {
    case MediaControl::Status::Playing: return QStringLiteral("Playing");
    case MediaControl::Status::Paused: return QStringLiteral("Paused");
    case MediaControl::Status::Stopped: break;
    }
    return QStringLiteral("Stopped");
}

QVariantMap MprisPlayer::Metadata() const
{
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"),
                    QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/tarrowin/current"))));
    metadata.insert(QStringLiteral("xesam:title"), m_control->title());
    metadata.insert(QStringLiteral("xesam:album"), m_control->album());
    metadata.insert(QStringLiteral("xesam:artist"), QStringList{m_control->artist()});
    return metadata;
}

double MprisPlayer::Volume() const
{
    return m_control->volume();
}

void MprisPlayer::setVolume(double volume)
{
    m_control->setVolume(qBound(0.0, volume, 1.0));
}

void MprisPlayer::Play() { m_control->play(); }
void MprisPlayer::Pause() { m_control->pause(); }
void MprisPlayer::PlayPause() { m_control->playPause(); }
void MprisPlayer::Stop() { m_control->stop(); }
void MprisPlayer::Next() { m_control->next(); }
void MprisPlayer::Previous() { m_control->previous(); }
