#include "SpeechTimeline.h"
#include <algorithm>

void SpeechTimeline::addStream(int number)
{
    m_streams.push_back(Stream{number, {}, {}, 0, false});
}

SpeechTimeline::Stream *SpeechTimeline::find(int number)
{
    for (Stream &stream : m_streams) {
        if (stream.number == number)
            return &stream;
    }
    return nullptr;
}

void SpeechTimeline::append(int number, const QByteArray &samples,
                            const QVector<WordMark> &words, bool finished)
{
    Stream *stream = find(number);
    if (!stream || stream->finished)
        return;
    stream->samples.append(samples);
    stream->words.append(words);
    stream->finished = finished;
    if (finished && !stream->playable())
        stream->samples.clear();
}

void SpeechTimeline::clear()
{
    m_streams.clear();
    m_frontStart = 0;
    m_taken = 0;
}

QByteArray SpeechTimeline::takeAudio(qint64 maxFrames)
{
    QByteArray audio;
    qint64 start = m_frontStart;
    for (const Stream &stream : m_streams) {
        if (maxFrames <= 0 || (!stream.playable() && !stream.finished))
            break;
        const qint64 end = start + stream.frames();
        if (m_taken < end) {
            const qint64 frames = std::min(maxFrames, end - m_taken);
            audio.append(stream.samples.mid(SampleFormat::Bytes(m_taken - start), SampleFormat::Bytes(frames)));
            m_taken += frames;
            maxFrames -= frames;
        }
        if (!stream.finished)
            break;
        start = end;
    }
    return audio;
}

void SpeechTimeline::rewindTo(qint64 frame)
{
    m_taken = std::clamp(frame, m_frontStart, m_taken);
}

QList<SpeechTimeline::Event> SpeechTimeline::eventsUpTo(qint64 playedFrame)
{
    QList<Event> events;
    while (!m_streams.empty()) {
        Stream &stream = m_streams.front();
        for (; stream.nextWord < stream.words.size(); ++stream.nextWord) {
            const WordMark &word = stream.words[stream.nextWord];
            const qint64 frame = std::min(word.frame, stream.frames());
            if (!stream.finished && word.frame > stream.frames())
                break;
            if (m_frontStart + frame >= playedFrame) // its first sample has not been played
                break;
            events.append({Event::Word, stream.number, SampleFormat::Bytes(frame), word.position, word.length});
        }
        const bool heard = stream.finished && stream.nextWord == stream.words.size()
            && m_frontStart + stream.frames() <= playedFrame;
        if (!heard)
            break;
        events.append({Event::EndStream, stream.number, SampleFormat::Bytes(stream.frames()), 0, 0});
        m_frontStart += stream.frames();
        m_streams.pop_front();
    }
    if (m_streams.empty())
        clear();
    return events;
}

std::optional<qint64> SpeechTimeline::nextEventFrame() const
{
    if (m_streams.empty())
        return std::nullopt;
    const Stream &stream = m_streams.front();
    if (stream.nextWord < stream.words.size()) {
        const WordMark &word = stream.words[stream.nextWord];
        if (!stream.finished && word.frame > stream.frames())
            return std::nullopt;
        return m_frontStart + std::min(word.frame, stream.frames()) + 1;
    }
    if (stream.finished)
        return m_frontStart + stream.frames();
    return std::nullopt;
}

std::optional<QList<SpeechTimeline::Remake>> SpeechTimeline::cutAfterTaken()
{
    QList<Remake> remakes;
    qint64 start = m_frontStart;
    auto stream = m_streams.begin();
    for (; stream != m_streams.end(); ++stream) {
        const qint64 end = start + stream->frames();
        if (!stream->finished || m_taken < end)
            break;
        start = end;
    }
    if (stream == m_streams.end())
        return remakes;
    const auto &words = stream->words;
    const auto next = std::find_if(words.begin() + stream->nextWord, words.end(),
                                   [&](const WordMark &w) { return start + w.frame >= m_taken; });
    if (next == words.end() && !stream->finished)
        return std::nullopt;
    if (next != words.end()) {
        const qint64 cut = std::max(next->frame, m_taken - start);
        remakes.append({stream->number, next->position});
        stream->samples.truncate(SampleFormat::Bytes(cut));
        stream->words.erase(next, stream->words.end());
        stream->finished = false;
    }
    for (++stream; stream != m_streams.end(); ++stream) {
        if (stream->finished && !stream->playable())
            continue;
        remakes.append({stream->number, 0});
        *stream = Stream{stream->number, {}, {}, 0, false};
    }
    return remakes;
}

qint64 SpeechTimeline::streamFrames(int number)
{
    const Stream *stream = find(number);
    return stream ? stream->frames() : 0;
}
