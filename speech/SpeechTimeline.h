#pragma once
#include "SampleFormat.h"
#include "SynthTypes.h"
#include <QByteArray>
#include <QList>
#include <deque>
#include <optional>

// What the voice has heard or will hear: a queue of streams, each with its audio and its words,
// laid end to end on one time line counted in audio frames (16-bit mono samples). Playback takes
// the audio out in order; the frames actually played tell which words and stream ends have been
// heard. A stream's audio is held until the stream has been heard, so that playback can go back
// to any frame not yet played (when the output changes). A stream without any word is silent:
// its audio is dropped and it ends as soon as it is reached.
class SpeechTimeline
{
public:
    struct Event
    {
        enum Kind { Word, EndStream };
        Kind kind = Word;
        int stream = 0;
        qint64 streamPosition = 0; // bytes of the stream's audio before the event
        int position = 0;
        int length = 0;
    };

    void addStream(int number);
    // Audio and words of stream `number`, in order; ignored for streams not on the time line.
    void append(int number, const QByteArray &samples, const QVector<WordMark> &words,
                bool finished);
    void clear();
    bool isEmpty() const { return m_streams.empty(); }

    // Up to `maxFrames` frames of audio following what was taken before; empty while the next
    // audio is not known yet.
    QByteArray takeAudio(qint64 maxFrames);
    qint64 takenFrames() const { return m_taken; }
    // Takes the audio again from `frame` (not before the first stream still on the line).
    void rewindTo(qint64 frame);

    // A place of a stream from which its audio is to be made again: the text from `position` on.
    struct Remake
    {
        int stream = 0;
        int position = 0;
    };
    // Drops the audio not yet taken from the first word not yet taken on, so that it can be made
    // again (at another speed): the stream being taken is cut before that word, the streams after
    // it are emptied. Audio already taken stays, so nothing is heard twice or left out. Nothing
    // changes, and nothing is returned, while the words of the stream being taken are not known
    // far enough yet.
    std::optional<QList<Remake>> cutAfterTaken();
    // Frames of audio held for stream `number` (0 when it is not on the line).
    qint64 streamFrames(int number);

    // The words and stream ends heard once `playedFrame` frames have been played, in order: a
    // word once the first frame of it has been played, a stream end once all its frames have.
    // Streams that have ended leave the line; once it is empty, frames count from 0 again.
    QList<Event> eventsUpTo(qint64 playedFrame);
    // The frame at which the next event (a word or the front stream's end) will be heard, once it
    // is known; nothing before that.
    std::optional<qint64> nextEventFrame() const;

private:
    struct Stream
    {
        int number = 0;
        QByteArray samples;
        QVector<WordMark> words;
        int nextWord = 0;
        bool finished = false;

        qint64 frames() const { return SampleFormat::Frames(samples.size()); }
        // Audio may be played once it is known that the stream says something.
        bool playable() const { return !words.isEmpty(); }
    };

    Stream *find(int number);

    std::deque<Stream> m_streams;
    qint64 m_frontStart = 0; // frame at which the first stream begins
    qint64 m_taken = 0;
};
