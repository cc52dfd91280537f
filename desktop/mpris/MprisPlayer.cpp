#include "MprisPlayer.h"
#include "MediaControl.h"
#include <QStringList>

const QString MprisPlayer::kTrackId = QStringLiteral("/org/mpris/MediaPlayer2/tarrowin/current");

MprisPlayer::MprisPlayer(QObject *object, MediaControl *control) : QDBusAbstractAdaptor(object), m_control(control)
{
    connect(control, &MediaControl::seeked, this, &MprisPlayer::Seeked);
}

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
                    QVariant::fromValue(QDBusObjectPath(kTrackId)));
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

double MprisPlayer::Rate() const { return m_control->rate(); }
double MprisPlayer::MinimumRate() const { return MediaControl::kMinimumRate; }
double MprisPlayer::MaximumRate() const { return MediaControl::kMaximumRate; }

// A rate outside the range is not one the player offers: it is ignored.
void MprisPlayer::setRate(double rate)
{
    if (rate >= MediaControl::kMinimumRate && rate <= MediaControl::kMaximumRate)
        m_control->setRate(rate);
}

qlonglong MprisPlayer::Position() const { return m_control->position(); }
bool MprisPlayer::CanSeek() const { return m_control->canSeek(); }
void MprisPlayer::Seek(qlonglong offset) { m_control->seek(offset); }

// A position for another track, or outside the track, is ignored.
void MprisPlayer::SetPosition(const QDBusObjectPath &trackId, qlonglong position)
{
    if (trackId.path() == kTrackId && position >= 0)
        m_control->setPosition(position);
}
