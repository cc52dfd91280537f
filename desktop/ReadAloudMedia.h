#pragma once
#include "MediaControl.h"
#include <QElapsedTimer>

class frmTTS;

// The read-aloud window as the desktop's media controls see it: its three speaking buttons,
// chapters as tracks (or pieces, for a novel without headings), the listener's volume, raising
// and closing the window. State changes are noticed from the window's buttons and the voice's
// events, after the window has handled them.
class ReadAloudMedia : public MediaControl
{
    Q_OBJECT
public:
    // "Previous" within this long after a chapter began goes to the chapter before it.
    static constexpr qint64 kRestartGraceMs = 5000;

    explicit ReadAloudMedia(frmTTS *window);

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

    // Speed and time are the reading session's own (ReadAloudMedia_Rhythm.cpp).
    double rate() const override;
    void setRate(double rate) override;
    bool canSeek() const override { return true; }
    qint64 position() const override;
    void seek(qint64 offsetUs) override;
    void setPosition(qint64 positionUs) override;

private:
    void watchSession();
    void watchVoice();
    void noticeChanges();
    bool byChapters() const;
    int chapterIndex() const;

    frmTTS *m_window;
    Status m_status;
    QString m_title;
    int m_chapter = -1;
    QElapsedTimer m_chapterHeard; // since the chapter being read began
};
