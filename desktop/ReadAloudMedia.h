#pragma once
#include "MediaControl.h"
#include <functional>

class OutputDeviceWatch;
class ReadingSession;

// The reading session as the desktop's media controls see it: playing, pausing and stopping the
// voice, chapters as tracks (or pieces, for a novel without headings), the listener's volume.
// Every change of the session, whoever made it (a media key, the window, the voice reading on),
// is announced. Raising and closing the window in front are the host's to do.
class ReadAloudMedia : public MediaControl
{
    Q_OBJECT
public:
    // "Previous" within this long after a chapter began goes to the chapter before it.
    static constexpr qint64 kRestartGraceMs = 5000;

    // What the host does for "raise" and "quit" (none: nothing).
    struct Window
    {
        std::function<void()> raise;
        std::function<void()> quit;
    };

    explicit ReadAloudMedia(ReadingSession *session, Window window = {}, QObject *parent = nullptr);

    // The clock a chapter's time is read on, in milliseconds (a monotonic clock by default).
    using Clock = std::function<qint64()>;
    void setClock(Clock nowMs);

    Status status() const override;
    QString title() const override;
    QString album() const override;
    QString artist() const override;
    double volume() const override;
    void setVolume(double volume) override;

    void play() override;
    void pause() override;
    void playPause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void raise() override;
    void quit() override;

    // Reading pauses when the output the voice plays on goes away (headphones unplugged, a headset
    // switched off), or its sound moves from the headphones to the speakers.
    void pauseOnOutputLoss(OutputDeviceWatch *watch);

    // Speed and time are the reading session's own (ReadAloudMedia_Rhythm.cpp).
    double rate() const override;
    void setRate(double rate) override;
    bool canSeek() const override { return true; }
    qint64 position() const override;
    void seek(qint64 offsetUs) override;
    void setPosition(qint64 positionUs) override;

private:
    void noticeChangesSoon();
    void watchSession();
    void noticeChanges();
    bool byChapters() const;
    int chapterIndex() const;

    ReadingSession *m_session;
    Window m_window;
    Status m_status;
    QString m_title; // and the album, as last announced
    bool m_noticePending = false;
    int m_chapter = -1;
    Clock m_now;
    qint64 m_chapterBegan = 0; // on m_now, when the chapter being read began
};
