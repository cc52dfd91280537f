// The listening speed and the chapter's spoken time, as the media interface sees them: both are
// the reading session's, reached through the window only to find it.
#include "ReadAloudMedia.h"
#include "ReadingSession.h"
#include "frmTTS.h"

void ReadAloudMedia::watchSession()
{
    ReadingSession *session = m_window->session();
    connect(session, &ReadingSession::speedChanged, this, &MediaControl::rateChanged);
    connect(session, &ReadingSession::seeked, this, [this](qint64 ms) { emit seeked(ms * 1000); });
}

double ReadAloudMedia::rate() const
{
    return m_window->session()->speed();
}

void ReadAloudMedia::setRate(double rate)
{
    m_window->session()->setSpeed(rate);
}

qint64 ReadAloudMedia::position() const
{
    return m_window->session()->chapterTimeMs() * 1000;
}

void ReadAloudMedia::seek(qint64 offsetUs)
{
    m_window->session()->seekBy(offsetUs / 1000);
}

void ReadAloudMedia::setPosition(qint64 positionUs)
{
    m_window->session()->seekChapterTime(positionUs / 1000);
}
