// The listening rhythm of the session: the speed, steps by sentences, and the spoken time of the
// chapter that the media interface seeks in.
#include "NovelSpeed.h"
#include "ReadingSession.h"
#include "SentenceStarts.h"
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>

namespace {
// Sentences are looked for this far on either side of the word heard: far more than a sentence.
constexpr qint64 kSentenceReach = 32 * 1024;
}

void ReadingSession::setSpeed(double speed)
{
    speed = std::clamp(speed, NovelSpeed::kMinimum, NovelSpeed::kMaximum);
    if (speed == m_speed)
        return;
    m_speed = speed;
    m_paceWord = -1;
    if (m_voice)
        m_voice->setRateFactor(m_speed);
    NovelSpeed::Keep(novelPath(), m_speed);
    emit speedChanged(m_speed);
}

void ReadingSession::loadSpeed()
{
    const double kept = NovelSpeed::Kept(novelPath());
    if (kept == m_speed)
        return;
    m_speed = kept;
    if (m_voice)
        m_voice->setRateFactor(m_speed);
    emit speedChanged(m_speed);
}

// The word heard is where sentence steps and the spoken time count from; the characters between
// two words of a piece and the time between them measure the voice's pace.
void ReadingSession::noteHeard(int characterPosition, ByteRange bytes)
{
    if (!bytes.isEmpty())
        m_heard = bytes.start;
    const int characters = m_paceWord >= 0 && characterPosition > m_paceWord ? characterPosition - m_paceWord : 0;
    m_pace.heard(m_clock.elapsed(), characters, m_speed);
    m_paceWord = characterPosition;
}

void ReadingSession::startAt(BytePos position)
{
    const State before = m_state;
    if (before == State::Speaking || before == State::Paused)
        stop();
    moveTo(position);
    m_paceWord = -1;
    if (before == State::Speaking || before == State::Paused)
        start();
    if (before == State::Paused)
        pauseOrResume();
}

void ReadingSession::previousSentence() { stepSentence(-1); }
void ReadingSession::repeatSentence() { stepSentence(0); }
void ReadingSession::nextSentence() { stepSentence(1); }

std::pair<std::vector<SentenceStart>, std::ptrdiff_t> ReadingSession::sentencesAround(BytePos position) const
{
    position = std::max(position, BytePos(1));
    const BytePos from = position.value() > kSentenceReach ? position - kSentenceReach : BytePos(1);
    std::vector<SentenceStart> starts = SentenceStartsIn(currentNovel(), {from, position + kSentenceReach});
    // The last that begins at or before the position.
    const auto after = std::upper_bound(starts.begin(), starts.end(), position,
                                        [](BytePos p, const SentenceStart &s) { return p < s.byte; });
    const std::ptrdiff_t holding = after - starts.begin() - 1;
    return {std::move(starts), holding};
}

void ReadingSession::stepSentence(int step)
{
    const auto [starts, heard] = sentencesAround(m_heard);
    if (heard < 0)
        return;
    const std::ptrdiff_t target = std::clamp<std::ptrdiff_t>(heard + step, 0, std::ptrdiff_t(starts.size()) - 1);
    if (step > 0 && target == heard)
        return; // the last sentence of the novel: nothing after it
    startAt(starts[size_t(target)].byte);
}

void ReadingSession::speakSentenceAt(BytePos position)
{
    const auto [starts, holding] = sentencesAround(position);
    if (m_state == State::Speaking || m_state == State::Paused)
        stop();
    moveTo(holding < 0 ? position : starts[size_t(holding)].byte);
    m_paceWord = -1;
    start();
}

ByteRange ReadingSession::chapterAt(BytePos position) const
{
    if (m_chapterBounds) {
        const ByteRange bounds = m_chapterBounds(position);
        if (!bounds.isEmpty())
            return bounds;
    }
    return {BytePos(1), BytePos(QFileInfo(novelPath()).size() + 1)};
}

qint64 ReadingSession::chapterTimeMs() const
{
    const ByteRange chapter = chapterAt(m_heard);
    return m_pace.milliseconds(CharactersIn(currentNovel(), {chapter.start, m_heard}), m_speed);
}

void ReadingSession::seekChapterTime(qint64 ms)
{
    seekNearest(ms, false, false);
}

void ReadingSession::seekBy(qint64 offsetMs)
{
    seekNearest(chapterTimeMs() + offsetMs, offsetMs > 0, true);
}

// The sentence of the chapter whose spoken time is nearest `ms`; going `forward`, only those
// after the word heard; beyond the chapter's last sentence, the next chapter's start when
// `mayLeave`.
void ReadingSession::seekNearest(qint64 ms, bool forward, bool mayLeave)
{
    const ByteRange chapter = chapterAt(m_heard);
    const Novel novel = currentNovel();
    std::vector<SentenceStart> starts = SentenceStartsIn(novel, chapter);
    const bool nextChapter = mayLeave && chapter.end.value() <= QFileInfo(novel.path).size();
    if (nextChapter)
        starts.push_back({CharactersIn(novel, chapter), chapter.end});
    if (forward)
        starts.erase(starts.begin(), std::upper_bound(starts.begin(), starts.end(), m_heard,
                                                      [](BytePos p, const SentenceStart &s) { return p < s.byte; }));
    if (starts.empty())
        return;
    const auto distance = [&](const SentenceStart &s) { return std::abs(m_pace.milliseconds(s.character, m_speed) - ms); };
    const auto nearest = std::min_element(starts.begin(), starts.end(),
                                          [&](const SentenceStart &a, const SentenceStart &b) { return distance(a) < distance(b); });
    startAt(nearest->byte);
    emit seeked(chapterTimeMs());
}
