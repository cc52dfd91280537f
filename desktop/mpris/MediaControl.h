#pragma once
#include <QObject>
#include <QString>

// What the desktop's media controls may see and do of a listening session: the state, what is
// being read, the volume, and the player's buttons. The D-Bus media interface speaks only to
// this, so it knows nothing of the windows that implement it.
class MediaControl : public QObject
{
    Q_OBJECT
public:
    enum class Status { Playing, Paused, Stopped };

    using QObject::QObject;

    virtual Status status() const = 0;
    virtual QString title() const = 0;  // the chapter being read, or the novel's name
    virtual QString album() const = 0;  // the novel's name
    virtual QString artist() const = 0; // the voice
    virtual double volume() const = 0;  // 0..1
    virtual void setVolume(double volume) = 0;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void playPause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    virtual void raise() = 0;
    virtual void quit() = 0;

    // The listening speed: 1 is the rate set for the voice, from kMinimumRate to kMaximumRate.
    static constexpr double kMinimumRate = 0.5;
    static constexpr double kMaximumRate = 3.0;
    virtual double rate() const { return 1.0; }
    virtual void setRate(double) {}
    // The spoken time since the start of the chapter being read, in microseconds; seeking moves
    // the voice by whole sentences, to those whose time comes nearest.
    virtual bool canSeek() const { return false; }
    virtual qint64 position() const { return 0; }
    virtual void seek(qint64 /*offsetUs*/) {}
    virtual void setPosition(qint64 /*positionUs*/) {}

signals:
    void statusChanged();
    void metadataChanged();
    void volumeChanged();
    void rateChanged();
    // The voice was moved to another time of the chapter, not by playing on.
    void seeked(qint64 positionUs);
};
