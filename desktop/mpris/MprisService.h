#pragma once
#include <QDBusConnection>
#include <QObject>

class MediaControl;
class MprisPlayer;

// Puts a listening session on the session bus as an MPRIS 2 media player
// (org.mpris.MediaPlayer2.tarrowin at /org/mpris/MediaPlayer2) and announces every change of
// state, metadata and volume with PropertiesChanged. Without a bus it does nothing.
class MprisService : public QObject
{
    Q_OBJECT
public:
    static const QString kServiceName;
    static const QString kObjectPath;

    MprisService(MediaControl *control, QDBusConnection bus, QObject *parent = nullptr);
    ~MprisService() override;
    bool isRegistered() const { return m_registered; }

private:
    void announce(const QString &interface, const QVariantMap &changed);
    void announceStatus();
    void announceMetadata();
    void announceVolume();

    MediaControl *m_control;
    QDBusConnection m_bus;
    QObject *m_object;
    MprisPlayer *m_player = nullptr;
    bool m_registered = false;
};
