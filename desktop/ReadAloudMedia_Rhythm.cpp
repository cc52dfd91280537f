// The listening speed and the chapter's spoken time, as the media interface sees them: both are
// the reading session's.
#include "ReadAloudMedia.h"
#include "ReadingSession.h"

void ReadAloudMedia::watchSession()
{
    connect(m_session, &ReadingSession::speedChanged, this, &MediaControl::rateChanged);
    connect(m_session, &ReadingSession::seeked, this, [this](qint64 ms) { emit seeked(ms * 1000); });
}

double ReadAloudMedia::rate() const
{
    return m_session->speed();
}

void ReadAloudMedia::setRate(double rate)
{
    m_session->setSpeed(rate);
}

qint64 ReadAloudMedia::position() const
{
    return m_session->chapterTimeMs() * 1000;
}

void ReadAloudMedia::seek(qint64 offsetUs)
{
    m_session->seekBy(offsetUs / 1000);
}

void ReadAloudMedia::setPosition(qint64 positionUs)
{
    m_session->seekChapterTime(positionUs / 1000);
}
