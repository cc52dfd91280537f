#include "ReadAloudMedia.h"
#include "ChapterLoader.h"
#include "OutputDeviceWatch.h"
#include "ReadingSession.h"
#include <QElapsedTimer>
#include <QFileInfo>

ReadAloudMedia::ReadAloudMedia(ReadingSession *session, Window window, QObject *parent)
    : MediaControl(parent), m_session(session), m_window(std::move(window))
{
    m_status = status();
    m_title = title() + QLatin1Char('\n') + album();
    setClock([] {
        static const QElapsedTimer started = [] {
            QElapsedTimer timer;
            timer.start();
            return timer;
        }();
        return started.elapsed();
    });
    // Told once the session has settled: a chapter move stops and starts the voice again, which
    // is one change for the desktop, not two.
    connect(session, &ReadingSession::stateChanged, this, &ReadAloudMedia::noticeChangesSoon);
    connect(session, &ReadingSession::novelChanged, this, &ReadAloudMedia::noticeChangesSoon);
    connect(session, &ReadingSession::currentPieceChanged, this, &ReadAloudMedia::noticeChangesSoon);
    connect(session->chapters(), &ChapterLoader::Ready, this, &ReadAloudMedia::noticeChangesSoon);
    connect(session, &ReadingSession::volumeChanged, this, &MediaControl::volumeChanged);
    watchSession();
}

void ReadAloudMedia::setClock(Clock nowMs)
{
    m_now = std::move(nowMs);
    m_chapterBegan = m_now();
}

MediaControl::Status ReadAloudMedia::status() const
{
    switch (m_session->state()) {
    case ReadingSession::State::Speaking: return Status::Playing;
    case ReadingSession::State::Paused: return Status::Paused;
    case ReadingSession::State::Idle:
    case ReadingSession::State::Stopped: break;
    }
    return Status::Stopped;
}

QString ReadAloudMedia::title() const
{
    const ChapterLoader *chapters = m_session->chapters();
    const QString chapter = chapters->IsReady() ? chapters->Chapters().titleAt(m_session->currentPieceStart()) : QString();
    return chapter.isEmpty() ? album() : chapter;
}

QString ReadAloudMedia::album() const
{
    return QFileInfo(m_session->novel()).completeBaseName();
}

// The one who reads: the program, whatever engine voice speaks.
QString ReadAloudMedia::artist() const
{
    return QStringLiteral("Tarrowin");
}

double ReadAloudMedia::volume() const
{
    return m_session->volume() / 100.0;
}

void ReadAloudMedia::setVolume(double volume)
{
    m_session->setVolume(qRound(qBound(0.0, volume, 1.0) * 100));
}

void ReadAloudMedia::play()
{
    if (status() != Status::Playing)
        m_session->start();
}

void ReadAloudMedia::pause()
{
    if (status() == Status::Playing)
        m_session->pauseOrResume();
}

void ReadAloudMedia::playPause()
{
    status() == Status::Playing ? pause() : play();
}

void ReadAloudMedia::stop()
{
    m_session->stop();
}

// The next chapter, or the next piece in a novel without headings; nothing after the last.
void ReadAloudMedia::next()
{
    if (byChapters()) {
        if (const std::optional<BytePos> start = m_session->chapters()->Chapters().nextStart(m_session->currentPieceStart()))
            m_session->goTo(*start);
    } else if (const ReadingSession::Piece &queued = m_session->queued(); !queued.bytes.isEmpty()) {
        m_session->goTo(queued.bytes.start);
    }
}

// The start of this chapter; the chapter before it within the first seconds of this one. In a
// novel without headings, the start of the piece being read.
void ReadAloudMedia::previous()
{
    BytePos start = m_session->currentPieceStart();
    if (byChapters()) {
        const ChapterList &list = m_session->chapters()->Chapters();
        const int index = chapterIndex();
        if (index < 0)
            return;
        const bool justBegun = m_now() - m_chapterBegan < kRestartGraceMs;
        start = list.at(justBegun && index > 0 ? index - 1 : index).start;
    }
    m_session->goTo(start);
    m_chapterBegan = m_now();
}

void ReadAloudMedia::raise()
{
    if (m_window.raise)
        m_window.raise();
}

void ReadAloudMedia::quit()
{
    if (m_window.quit)
        m_window.quit();
}

void ReadAloudMedia::pauseOnOutputLoss(OutputDeviceWatch *watch)
{
    connect(watch, &OutputDeviceWatch::defaultOutputRemoved, this, &ReadAloudMedia::pause);
    connect(watch, &OutputDeviceWatch::headphonesLeft, this, &ReadAloudMedia::pause);
}

bool ReadAloudMedia::byChapters() const
{
    const ChapterLoader *chapters = m_session->chapters();
    return chapters->IsReady() && chapters->Chapters().headingsFound();
}

int ReadAloudMedia::chapterIndex() const
{
    const ChapterLoader *chapters = m_session->chapters();
    return chapters->IsReady() ? chapters->Chapters().indexAt(m_session->currentPieceStart()) : -1;
}

void ReadAloudMedia::noticeChangesSoon()
{
    if (!m_noticePending)
        QMetaObject::invokeMethod(this, &ReadAloudMedia::noticeChanges, Qt::QueuedConnection);
    m_noticePending = true;
}

void ReadAloudMedia::noticeChanges()
{
    m_noticePending = false;
    const int chapter = chapterIndex();
    if (chapter != m_chapter) {
        m_chapter = chapter;
        m_chapterBegan = m_now();
    }
    const Status now = status();
    if (now != m_status) {
        m_status = now;
        emit statusChanged();
    }
    const QString heading = title() + QLatin1Char('\n') + album();
    if (heading != m_title) {
        m_title = heading;
        emit metadataChanged();
    }
}
