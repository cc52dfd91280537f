#include "ReadAloudMedia.h"
#include "ChapterLoader.h"
#include "SpeechSettings.h"
#include "TextBox.h"
#include "TextCodec.h"
#include "TextStart.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QFileInfo>

ReadAloudMedia::ReadAloudMedia(frmTTS *window) : MediaControl(window), m_window(window)
{
    m_status = status();
    m_title = title();
    m_chapterHeard.start();
    watchSession();
    // Queued, so that the window has handled the press or the event before the state is read.
    for (kxButtons_H *button : window->cmdSpeak)
        connect(button, &kxButtons_H::Click, this, &ReadAloudMedia::noticeChanges, Qt::QueuedConnection);
    connect(window->chkTingZhi, &QCheckBox::toggled, this, &ReadAloudMedia::noticeChanges, Qt::QueuedConnection);
    connect(window->txtLangDu, &TextBox::Change, this, &ReadAloudMedia::noticeChanges, Qt::QueuedConnection);
    connect(window->chapters(), &ChapterLoader::Ready, this, &ReadAloudMedia::noticeChanges, Qt::QueuedConnection);
    if (SpeechVoice *voice = window->mobjSpkOne())
        connect(voice, &SpeechVoice::EndStream, this, &ReadAloudMedia::noticeChanges, Qt::QueuedConnection);
}

MediaControl::Status ReadAloudMedia::status() const
{
    const SpeechVoice *voice = m_window->mobjSpkOne();
    if (!voice || m_window->chkTingZhi->isChecked())
        return Status::Stopped;
    switch (voice->RunningState()) {
    case SpeechVoice::SRSEIsSpeaking: return Status::Playing;
    case SpeechVoice::SRSEPaused: return Status::Paused;
    default: return Status::Stopped;
    }
}

QString ReadAloudMedia::title() const
{
    const ChapterLoader *chapters = m_window->chapters();
    const QString chapter = chapters->IsReady() ? chapters->Chapters().titleAt(m_window->CurrentPieceStart()) : QString();
    return chapter.isEmpty() ? album() : chapter;
}

QString ReadAloudMedia::album() const
{
    return QFileInfo(m_window->txtFilePathName->Text()).completeBaseName();
}

QString ReadAloudMedia::artist() const
{
    return LoadSpeechSettings().voice;
}

double ReadAloudMedia::volume() const
{
    return m_window->ListeningVolume() / 100.0;
}

void ReadAloudMedia::setVolume(double volume)
{
    m_window->setListeningVolume(qRound(qBound(0.0, volume, 1.0) * 100));
    emit volumeChanged();
}

void ReadAloudMedia::play()
{
    if (status() != Status::Playing)
        m_window->cmdSpeak_Click(0);
    noticeChanges();
}

void ReadAloudMedia::pause()
{
    if (status() == Status::Playing)
        m_window->cmdSpeak_Click(2);
    noticeChanges();
}

void ReadAloudMedia::playPause()
{
    status() == Status::Playing ? pause() : play();
}

void ReadAloudMedia::stop()
{
    m_window->cmdSpeak_Click(1);
    noticeChanges();
}

// The next chapter, or the next piece in a novel without headings; nothing after the last.
void ReadAloudMedia::next()
{
    if (byChapters()) {
        if (const std::optional<BytePos> start = m_window->chapters()->Chapters().nextStart(m_window->CurrentPieceStart()))
            m_window->GoToChapter(*start);
    } else {
        const Novel novel = m_window->CurrentNovel();
        const BytePos pieceStart = m_window->CurrentPieceStart();
        const DecodedText piece = TextReadAt(novel, pieceStart, m_window->txtLangDu->Text());
        if (!m_window->txtTTS->Text().isEmpty())
            m_window->GoToChapter(pieceStart + TextCodec::ByteLength(novel.encoding, piece, 0, piece.text.size()));
    }
    noticeChanges();
}

// The start of this chapter; the chapter before it within the first seconds of this one. In a
// novel without headings, the start of the piece being read.
void ReadAloudMedia::previous()
{
    BytePos start = m_window->CurrentPieceStart();
    if (byChapters()) {
        const ChapterList &list = m_window->chapters()->Chapters();
        const int index = chapterIndex();
        if (index < 0)
            return;
        const bool justBegun = m_chapterHeard.elapsed() < kRestartGraceMs;
        start = list.at(justBegun && index > 0 ? index - 1 : index).start;
    }
    m_window->GoToChapter(start);
    m_chapterHeard.restart();
    noticeChanges();
}

void ReadAloudMedia::raise()
{
    if (m_window->isMinimized())
        m_window->showNormal();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ReadAloudMedia::quit()
{
    m_window->close();
}

bool ReadAloudMedia::byChapters() const
{
    const ChapterLoader *chapters = m_window->chapters();
    return chapters->IsReady() && chapters->Chapters().headingsFound();
}

int ReadAloudMedia::chapterIndex() const
{
    const ChapterLoader *chapters = m_window->chapters();
    return chapters->IsReady() ? chapters->Chapters().indexAt(m_window->CurrentPieceStart()) : -1;
}

void ReadAloudMedia::noticeChanges()
{
    const int chapter = chapterIndex();
    if (chapter != m_chapter) {
        m_chapter = chapter;
        m_chapterHeard.restart();
    }
    const Status now = status();
    if (now != m_status) {
        m_status = now;
        emit statusChanged();
    }
    const QString heading = title();
    if (heading != m_title) {
        m_title = heading;
        emit metadataChanged();
    }
}
