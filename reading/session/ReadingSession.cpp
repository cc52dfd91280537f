#include "ReadingSession.h"
#include "ChapterLoader.h"
#include "MandarinDictionary.h"
#include "FindInTextFile.h"
#include "PieceReader.h"
#include "PlacePosition.h"
#include "PlaceSearch.h"
#include "ProgramFolder.h"
#include "ReadAloudMessages.h"
#include "SideFileWriter.h"
#include "HeardWord.h"
#include "KeptPlace.h"
#include "KeptWrite.h"
#include "LineAround.h"
#include "RuleFile.h"
#include "mdlFileBinText.h"
#include <QFile>
#include <QFileInfo>

ReadingSession::ReadingSession(QObject *parent)
    : QObject(parent), m_chapters(new ChapterLoader(this)), m_placeSearch(new PlaceSearch(this))
{
    connect(m_placeSearch, &PlaceSearch::Found, this, &ReadingSession::placeSearchDone);
    m_clock.start();
}

ReadingSession::~ReadingSession() = default;

QString ReadingSession::novelPath() const
{
    return NovelFilePath(m_novel);
}

Novel ReadingSession::currentNovel() const
{
    const QString path = novelPath();
    return Novel{path, m_chosenEncoding ? *m_chosenEncoding : m_detectedEncoding.Of(path)};
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
    cancelSearch(); // the place it looks for is that of the novel before
    m_novel = novel;
    loadSpeed();
    emit novelChanged(m_novel);
}

// The pieces held are the previous novel's and are dropped, so that the first piece of this one
// is its place even when it reads the same. A ".find" whose text no longer occurs is kept until
// reading begins: a novel only looked at loses no place.
void ReadingSession::open(const QString &novel)
{
    cancelSearch();
    setNovel(novel);
    setQueued({});
    setCurrent({});
    requestChapters();
    loadPlace();
    if (m_placeText.isEmpty())
        restart();
    else if (!resumeAtPlace()) {
        m_placeHeld = true;
        showPieceAt(BytePos(1));
    }
}

void ReadingSession::loadPlace()
{
    if (m_sideFiles)
        m_sideFiles->flush(); // what waits to be written is the place to read
    const QString path = sideFileToRead(QStringLiteral(".find"));
    const std::optional<QString> place = mdlFileBinText::ReadTextFile(Novel{path, currentNovel().encoding});
    if (!place && !path.isEmpty()) {
        m_unreadPlace = sideFilePath(QStringLiteral(".find"));
        if (m_sideFiles)
            m_sideFiles->keep(m_unreadPlace);
        emit notice(ReadAloudMessages::PlaceUnreadable(QFileInfo(path).fileName()));
    }
    // The place read is not written back: its bytes stay as they are, whatever they read as.
    m_placeText = place.value_or(QString());
    m_placeBytes = {};
    emit placeTextChanged(m_placeText);
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
    const bool moved = piece.bytes != m_current.bytes;
    m_current = piece;
    if (newText)
        m_heardToEnd = false;
    emit currentPieceChanged(m_current.text, m_current.bytes);
    if ((newText || moved) && !m_current.text.isEmpty())
        setPlace(m_current.text, m_current.bytes);
}

void ReadingSession::setQueued(const Piece &piece)
{
    m_queued = piece;
    emit queuedPieceChanged(m_queued.text, m_queued.bytes);
}

void ReadingSession::setPlaceText(const QString &text)
{
    setPlace(text, {});
}

// The place text goes to the side file as the novel's own bytes when it was read from them
// (`bytes`), so that bytes that do not convert are kept and found again at the next start.
// An empty text (an emptied search box) is no place: the side file keeps the one it holds.
void ReadingSession::setPlace(const QString &text, ByteRange bytes)
{
    const bool newText = text != m_placeText;
    m_placeText = text;
    if (newText || !bytes.isEmpty()) // the same text where it occurs again has new bytes
        m_placeBytes = bytes;
    if (newText)
        emit placeTextChanged(m_placeText);
    if (!m_placeHeld && !m_placeText.isEmpty() && (newText || !bytes.isEmpty()))
        writePlace(bytes);
}

void ReadingSession::writePlace(ByteRange bytes)
{
    if (!bytes.isEmpty())
        PlacePosition::Keep(novelPath(), bytes.start);
    const QString path = sideFilePath(QStringLiteral(".find"));
    const QByteArray content = mdlFileBinText::PlaceBytes(currentNovel(), bytes, m_placeText);
    if (m_sideFiles) {
        m_sideFiles->writeBytes(path, content);
        return;
    }
    if (path.isEmpty() || path == m_unreadPlace || WriteKeptFile(path, content).written())
        return;
    emit placeNotSaved(path);
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
    const Novel novel = currentNovel();
    m_piecesEncoding = novel.encoding;
    BytePos after = m_position;
    const ShownPiece piece = NextShownPiece(novel, after, m_pieceLength);
    // An empty piece before the end of the novel: the length holds no whole character there.
    if (piece.text.isEmpty() && after.value() <= QFileInfo(novel.path).size())
        emit notice(ReadAloudMessages::PieceLengthTooShort(m_pieceLength));
    setPosition(after);
    return {piece.text, piece.bytes};
}

void ReadingSession::moveTo(BytePos position)
{
    if (m_placeHeld)
        releasePlace();
    showPieceAt(position);
}

void ReadingSession::showPieceAt(BytePos position)
{
    setPosition(position);
    setQueued({});
    setCurrent(nextPiece());
    m_heard = m_current.bytes.isEmpty() ? m_position : m_current.bytes.start;
}

bool ReadingSession::search()
{
    cancelSearch();
    return find(ReadAloudMessages::SearchTextNotFound());
}

// A place text found in no other way may be one kept in another encoding: the novel was converted
// in place, or a change of encoding was cut short.
bool ReadingSession::resumeAtPlace()
{
    if (resumeAtKeptPosition())
        return true;
    if (!novelReadable())
        return false;
    if (const std::optional<BytePos> found = FindInTextFile(currentNovel(), m_placeText)) {
        moveTo(*found);
        return true;
    }
    const std::optional<KeptPlace> other = FindInOtherEncodings(currentNovel(), placeFileBytes());
    if (!other) {
        emit notice(ReadAloudMessages::PlaceNotFound());
        return false;
    }
    moveTo(other->at);
    return true;
}

bool ReadingSession::resumeAtKeptPosition()
{
    const std::optional<BytePos> kept = PlacePosition::Kept(novelPath());
    if (!kept)
        return false;
    if (PlacePosition::TextIsAt(currentNovel(), *kept, m_placeText)) {
        moveTo(*kept);
        return true;
    }
    const std::optional<BytePos> near = PlacePosition::BytesNear(novelPath(), *kept, placeFileBytes());
    if (near)
        moveTo(*near);
    return near.has_value();
}

QByteArray ReadingSession::placeFileBytes() const
{
    QFile file(sideFileToRead(QStringLiteral(".find")));
    if (file.size() > QFileInfo(novelPath()).size() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool ReadingSession::find(const QString &notFound)
{
    if (!novelReadable())
        return false;
    const std::optional<BytePos> found = FindInTextFile(currentNovel(), m_placeText);
    if (!found) {
        emit notice(notFound);
        return false;
    }
    moveTo(*found);
    return true;
}

void ReadingSession::restart()
{
    cancelSearch();
    moveTo(BytePos(1));
}

// Reading or a move of the listener's begins: the place held back goes to the side file.
void ReadingSession::releasePlace()
{
    m_placeHeld = false;
    if (!m_current.text.isEmpty())
        setPlace(m_current.text, m_current.bytes);
}

void ReadingSession::setVoice(std::unique_ptr<SpeechVoice> voice)
{
    m_voice = std::move(voice);
    m_paused = false;
    if (m_voice) {
        connect(m_voice.get(), &SpeechVoice::EndStream, this, &ReadingSession::onEndStream);
        connect(m_voice.get(), &SpeechVoice::Word, this,
                [this](int, qint64, int characterPosition, int length) { onWord(characterPosition, length); });
        m_voice->setRateFactor(m_speed);
        connect(m_voice.get(), &SpeechVoice::rulesNotice, this, &ReadingSession::notice);
    }
    applyVolume();
    updateState();
}

void ReadingSession::speak(const Piece &piece)
{
    m_voice->setReadingsFiles(ListenerReadingsFiles(sideFileToRead(NovelReadingsSuffix)));
    m_voice->setRulesFiles(TextRuleFiles(sideFileToRead(NovelRulesSuffix)));
    const LineAround around = LineAroundPiece(currentNovel(), piece.bytes);
    m_voice->setTextAround(around.before, around.after);
    tellRefusedReadings();
    m_voice->Speak(piece.text, SpeechVoice::SVSFlagsAsync);
}

// The voice reads the listener's files again when they change; the lines it cannot use are told
// once for each change, so that none is skipped in silence.
void ReadingSession::tellRefusedReadings()
{
    const MandarinDictionary *dictionary = MandarinDictionary::shared();
    if (!dictionary)
        return;
    bool changed = false;
    const ListenerReadings &readings = m_listenerReadings.readings(m_voice->readingsFiles(), *dictionary, &changed);
    if (!changed || readings.faults().isEmpty())
        return;
    const ListenerReadings::Fault &first = readings.faults().first();
    emit notice(ReadAloudMessages::ReadingsLineRefused(first.file, first.line, first.text,
                                                       int(readings.faults().size()) - 1));
}

void ReadingSession::start()
{
    if (!m_voice || isSearching()) // the piece to read is not known yet
        return;
    emit notice(QString()); // before the pieces are read, so that what they tell stays
    if (m_placeHeld)
        releasePlace();
    if (m_heardToEnd && m_queued.text.isEmpty()) {
        const Piece added = nextPiece();
        if (!added.text.isEmpty())
            setCurrent(added);
    }
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
    const int voiceState = m_voice->RunningState();
    if (voiceState == SpeechVoice::SRSEPaused)
        m_voice->Resume();
    else if (voiceState == SpeechVoice::SRSEDone)
        speak(m_current);
    m_paused = false;
    // The next piece joins the queue only behind a piece queued just now: a voice that was
    // speaking or paused holds it already.
    const bool queuedNow = voiceState == SpeechVoice::SRSEDone;
    if (!m_byPieces && queuedNow && !m_queued.text.isEmpty())
        speak(m_queued);
    updateState();
}

void ReadingSession::stop()
{
    if (!m_voice || isSearching())
        return;
    if (m_voice->RunningState() == SpeechVoice::SRSEPaused)
        m_voice->Resume();
    m_stopped = true;
    m_voice->Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    m_paused = false;
    updateState();
}

void ReadingSession::setStopped(bool stopped)
{
    m_stopped = stopped;
    updateState();
}

void ReadingSession::listen()
{
    if (m_voice && m_state != State::Speaking)
        start();
}

void ReadingSession::pauseOrResume()
{
    if (!m_voice || isSearching())
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
    if (m_queued.text.isEmpty()) { // nothing left to read: the last piece is kept
        stop();
        m_heardToEnd = true;
        return;
    }
    setCurrent(m_queued);
    setQueued(nextPiece());
    if (m_byPieces)
        speak(m_current);
    else if (!m_queued.text.isEmpty())
        speak(m_queued);
    updateState();
}

void ReadingSession::onWord(int characterPosition, int length)
{
    ByteRange bytes;
    const QString &text = m_current.text;
    if (!m_current.bytes.isEmpty() && characterPosition >= 0 && length >= 0
        && qint64(characterPosition) + length <= text.size()) {
        const HeardWord word = HeardWordIn(Novel{novelPath(), m_piecesEncoding}, m_current.bytes.start, text,
                                           characterPosition, length);
        bytes = ByteRange::Of(word.start, word.length);
    }
    noteHeard(characterPosition, bytes);
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
