#include "ReadingSession.h"
#include "FindInTextFile.h"
#include "Gbk.h"
#include "PieceReader.h"
#include "ProgramFolder.h"
#include "ReadAloudMessages.h"
#include "TextPiece.h"
#include "mdlFileBinText.h"

ReadingSession::ReadingSession(QObject *parent) : QObject(parent) {}

ReadingSession::~ReadingSession() = default;

QString ReadingSession::novelPath() const
{
    return NovelFilePath(m_novel);
}

QString ReadingSession::sideFilePath(const QString &suffix) const
{
    return SideFilePath(m_novel, suffix);
}

QString ReadingSession::sideFileToRead(const QString &suffix) const
{
    return SideFileToRead(m_novel, suffix);
}

void ReadingSession::setNovel(const QString &novel)
{
    if (novel == m_novel)
        return;
    m_novel = novel;
    emit novelChanged(m_novel);
}

void ReadingSession::open(const QString &novel)
{
    setNovel(novel);
    setPlaceText(mdlFileBinText::ReadTextFile(sideFileToRead(QStringLiteral(".find"))).value_or(QString()));
    if (m_placeText.isEmpty() || !resumeAtPlace())
        restart();
}

bool ReadingSession::loadPlace()
{
    const std::optional<QString> place = mdlFileBinText::ReadTextFile(sideFileToRead(QStringLiteral(".find")));
    if (place)
        setPlaceText(*place);
    return place.has_value();
}

void ReadingSession::setPosition(BytePos position)
{
    if (position == m_position)
        return;
    m_position = position;
    emit positionChanged(m_position);
}

void ReadingSession::setPieceLength(qint64 bytes)
{
    if (bytes == m_pieceLength)
        return;
    m_pieceLength = bytes;
    emit pieceLengthChanged(m_pieceLength);
}

void ReadingSession::setByPieces(bool byPieces)
{
    m_byPieces = byPieces;
}

void ReadingSession::setCurrentText(const QString &text)
{
    if (text != m_current.text)
        setCurrent({text, {}});
}

void ReadingSession::setQueuedText(const QString &text)
{
    if (text != m_queued.text)
        setQueued({text, {}});
}

// The piece being spoken is the place to come back to: it becomes the place text. An empty piece
// never does, so that the place of the last piece that held text is kept.
void ReadingSession::setCurrent(const Piece &piece)
{
    const bool newText = piece.text != m_current.text;
    m_current = piece;
    emit currentPieceChanged(m_current.text, m_current.bytes);
    if (newText && !m_current.text.isEmpty())
        setPlaceText(m_current.text);
}

void ReadingSession::setQueued(const Piece &piece)
{
    m_queued = piece;
    emit queuedPieceChanged(m_queued.text, m_queued.bytes);
}

void ReadingSession::setPlaceText(const QString &text)
{
    if (text == m_placeText)
        return;
    m_placeText = text;
    emit placeTextChanged(m_placeText);
    const QString sideFile = sideFilePath(QStringLiteral(".find"));
    if (sideFile.isEmpty() || mdlFileBinText::WriteTextFile(sideFile, m_placeText))
        return;
    emit placeNotSaved(sideFile);
    emit notice(ReadAloudMessages::PlaceNotSaved(m_novel + QStringLiteral(".find")));
}

// Says what keeps the novel from being read, if anything.
bool ReadingSession::novelReadable()
{
    const std::optional<QString> problem = ReadAloudMessages::TextFileProblem(m_novel);
    if (problem)
        emit notice(*problem);
    return !problem;
}

ReadingSession::Piece ReadingSession::nextPiece()
{
    if (m_position.value() == 0)
        setPosition(BytePos(1));
    if (!ReadAloudMessages::IsPieceLength(m_pieceLength)) {
        emit notice(ReadAloudMessages::PieceLengthOutOfRange());
        return {{}, {m_position, m_position}};
    }
    if (!novelReadable())
        return {{}, {m_position, m_position}};
    BytePos after = m_position;
    const QString read = ::NextPiece(novelPath(), after, m_pieceLength);
    setPosition(after);
    const BytePos start = after - Gbk::byteLength(read);
    const QString text = TextBeforeNul(read);
    return {text, {start, start + Gbk::byteLength(text)}};
}

void ReadingSession::moveTo(BytePos position)
{
    setPosition(position);
    setQueued({});
    setCurrent(nextPiece());
}

bool ReadingSession::search()
{
    return find(ReadAloudMessages::SearchTextNotFound());
}

bool ReadingSession::resumeAtPlace()
{
    return find(ReadAloudMessages::PlaceNotFound());
}

bool ReadingSession::find(const QString &notFound)
{
    if (!novelReadable())
        return false;
    const std::optional<BytePos> found = FindInTextFile(novelPath(), m_placeText);
    if (!found) {
        emit notice(notFound);
        return false;
    }
    moveTo(*found);
    return true;
}

void ReadingSession::restart()
{
    moveTo(BytePos(1));
}

void ReadingSession::setVoice(std::unique_ptr<SpeechVoice> voice)
{
    m_voice = std::move(voice);
    m_paused = false;
    if (m_voice) {
        connect(m_voice.get(), &SpeechVoice::EndStream, this, &ReadingSession::onEndStream);
        connect(m_voice.get(), &SpeechVoice::Word, this,
                [this](int, qint64, int characterPosition, int length) { onWord(characterPosition, length); });
    }
    updateState();
}

void ReadingSession::speak(const QString &text)
{
    m_voice->Speak(text, SpeechVoice::SVSFlagsAsync);
}

void ReadingSession::start()
{
    if (!m_voice)
        return;
    if (m_current.text.isEmpty()) {
        if (m_queued.text.isEmpty())
            setQueued(nextPiece());
        setCurrent(m_queued);
    }
    if (m_queued.text == m_current.text || m_queued.text.isEmpty())
        setQueued(nextPiece());
    if (m_current.text.isEmpty()) { // nothing left to read
        stop();
        return;
    }
    m_stopped = false;
    emit notice(QString());
    const int voiceState = m_voice->RunningState();
    if (voiceState == SpeechVoice::SRSEPaused)
        m_voice->Resume();
    else if (voiceState == SpeechVoice::SRSEDone)
        speak(m_current.text);
    m_paused = false;
    // The next piece joins the queue only behind a piece queued just now: a voice that was
    // speaking or paused holds it already.
    const bool queuedNow = voiceState == SpeechVoice::SRSEDone;
    if (!m_byPieces && queuedNow && !m_queued.text.isEmpty())
        speak(m_queued.text);
    updateState();
}

void ReadingSession::stop()
{
    if (!m_voice)
        return;
    if (m_voice->RunningState() == SpeechVoice::SRSEPaused)
        m_voice->Resume();
    m_stopped = true;
    m_voice->Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    m_paused = false;
    updateState();
}

void ReadingSession::pauseOrResume()
{
    if (!m_voice)
        return;
    if (!m_paused) {
        if (m_voice->RunningState() == SpeechVoice::SRSEIsSpeaking) {
            m_paused = true;
            m_voice->Pause();
        }
    } else {
        m_paused = false;
        m_voice->Resume();
    }
    updateState();
}

// A stream has been spoken: the queued piece becomes the one being spoken and the next piece is
// cut and queued. With nothing left to read, reading stops with the last piece kept.
void ReadingSession::onEndStream()
{
    if (m_stopped)
        return;
    if (m_queued.text.isEmpty())
        setQueued(nextPiece());
    if (m_queued.text.isEmpty()) {
        stop();
        return;
    }
    setCurrent(m_queued);
    setQueued(nextPiece());
    if (m_byPieces)
        speak(m_current.text);
    else if (!m_queued.text.isEmpty())
        speak(m_queued.text);
    updateState();
}

void ReadingSession::onWord(int characterPosition, int length)
{
    ByteRange bytes;
    const QString &text = m_current.text;
    if (!m_current.bytes.isEmpty() && characterPosition >= 0 && length >= 0
        && qint64(characterPosition) + length <= text.size()) {
        bytes = ByteRange::Of(m_current.bytes.start + Gbk::byteLength(text.left(characterPosition)),
                              Gbk::byteLength(text.mid(characterPosition, length)));
    }
    emit wordHeard(characterPosition, length, bytes);
    updateState();
}

void ReadingSession::updateState()
{
    State state = State::Idle;
    if (m_paused)
        state = State::Paused;
    else if (m_stopped)
        state = State::Stopped;
    else if (m_voice && m_voice->RunningState() == SpeechVoice::SRSEIsSpeaking)
        state = State::Speaking;
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(m_state);
}
