// The reading session's place as a value, the moves the listener asks for (a chapter, a media
// key, a page handed over), the start-up's search for where the novel was left, and the volume.
#include "ChapterLoader.h"
#include "FindInTextFile.h"
#include "PlacePosition.h"
#include "PlaceSearch.h"
#include "ProgramFolder.h"
#include "ReadAloudMessages.h"
#include "ReadingSession.h"
#include "TextStart.h"
#include <QFileInfo>
#include <cmath>

namespace {
// Novels from this size on are searched in the background; below it a search takes no time
// that a listener would notice.
constexpr qint64 kBackgroundSearchBytes = 4 * 1024 * 1024;
}

Place ReadingSession::place() const
{
    return {novelPath(), m_placeBytes, m_placeText};
}

BytePos ReadingSession::currentPieceStart() const
{
    if (!m_current.bytes.isEmpty())
        return m_current.bytes.start;
    // A typed piece: the piece read ahead ends at the position, the piece being read where the
    // one ahead begins; counted from the end of the file at the latest, as a piece read past it
    // holds no text for the bytes that are not there.
    const Novel novel{novelPath(), m_piecesEncoding};
    const BytePos end(std::min(m_position.value(), QFileInfo(novel.path).size() + 1));
    BytePos start = end;
    if (!m_queued.text.isEmpty() && m_queued.text != m_current.text)
        start = TextStartBefore(novel, start, m_queued.text);
    return std::max(TextStartBefore(novel, start, m_current.text), BytePos(1));
}

HeardWord ReadingSession::heardWord(int characterPosition, int length, ByteRange bytes) const
{
    const ByteRange piece = m_current.bytes;
    if (!bytes.isEmpty() && !piece.isEmpty())
        return HeardWord{piece.start, piece.end, bytes.start, bytes.length()};
    return HeardWordIn(Novel{novelPath(), m_piecesEncoding}, currentPieceStart(), m_current.text, characterPosition, length);
}

void ReadingSession::goTo(BytePos start)
{
    cancelSearch();
    const bool speaking = m_voice && !m_stopped && m_voice->RunningState() == SpeechVoice::SRSEIsSpeaking;
    if (m_voice && m_voice->RunningState() != SpeechVoice::SRSEDone)
        stop();
    moveTo(start);
    if (speaking)
        this->start();
}

bool ReadingSession::resumeAt(const Place &place)
{
    cancelSearch();
    setQueued({});
    if (!place.bytes.isEmpty() && PlacePosition::TextIsAt(currentNovel(), place.bytes.start, place.text)) {
        moveTo(place.bytes.start);
        return true;
    }
    setPlaceText(place.text);
    return search();
}

void ReadingSession::resumeWhereLeft()
{
    cancelSearch();
    if (m_placeText.isEmpty() || resumeAtKeptPosition())
        return;
    const Novel novel = currentNovel();
    if (QFileInfo(novel.path).size() < kBackgroundSearchBytes) {
        resumeAtPlace();
        return;
    }
    if (!novelReadable())
        return;
    m_placeSearch->Request(novel, m_placeText, placeFileBytes());
    emit searchingChanged(true);
}

bool ReadingSession::isSearching() const
{
    return m_placeSearch->IsRunning();
}

void ReadingSession::cancelSearch()
{
    if (!m_placeSearch->IsRunning())
        return;
    m_placeSearch->Cancel();
    emit searchingChanged(false);
}

void ReadingSession::placeSearchDone()
{
    emit searchingChanged(false);
    if (const std::optional<BytePos> found = m_placeSearch->Result())
        moveTo(*found);
    else
        emit notice(ReadAloudMessages::PlaceNotFound());
}

bool ReadingSession::requestChapters()
{
    const Novel novel = currentNovel();
    if (!(IsBareFileName(m_novel) || IsNovelPath(m_novel)) || !QFileInfo(novel.path).isFile()
        || novel == m_chapters->Requested())
        return false;
    m_chapters->Request(novel);
    return true;
}

void ReadingSession::setVolume(int volume)
{
    volume = std::clamp(volume, 0, 100);
    if (volume == m_volume)
        return;
    m_volume = volume;
    applyVolume();
    emit volumeChanged(m_volume);
}

void ReadingSession::setVolumeScale(double scale)
{
    m_volumeScale = scale;
    applyVolume();
}

void ReadingSession::applyVolume()
{
    if (m_voice)
        m_voice->setVolume(int(std::lround(m_volume * m_volumeScale)));
}
