#pragma once
#include "AudioFormat.h"
#include <QSaveFile>
#include <QString>
#include <memory>
#include <vector>

struct sf_private_tag;
struct soxr;

// What a file says of itself where its format holds tags.
struct AudioTags
{
    QString title;   // the chapter
    QString album;   // the novel
    int track = 0;   // the chapter's number; 0 for none
};

// Writes 16-bit mono audio into one file of the chosen format through libsndfile, resampled
// where the format needs another rate. The file is written under a temporary name beside its
// final one and takes that name only on commit(); a writer destroyed before (cancelled, failed)
// removes what it wrote, so no half-written file is ever left under the final name.
class AudioFileWriter
{
public:
    AudioFileWriter(const QString &path, AudioFormat format, int inputRate, const AudioTags &tags);
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter &) = delete;
    AudioFileWriter &operator=(const AudioFileWriter &) = delete;

    // False when the file could not be created or a write failed; errorString() says why.
    bool isGood() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }

    bool write(const qint16 *samples, qint64 count);
    // Finishes the file and gives it its final name. False (and nothing left behind) on failure.
    bool commit();
    // Frames in the file so far, at its own rate.
    qint64 framesWritten() const { return m_framesWritten; }

    // The file as libsndfile sees it: from `start`, after a tag written ahead of the sound.
    struct SoundDevice
    {
        QIODevice *file;
        qint64 start;
    };

private:
    bool writeFrames(const qint16 *frames, qint64 count);
    bool resample(const qint16 *samples, qint64 count);
    void fail(const QString &reason);
    void close();

    QSaveFile m_file;
    SoundDevice m_device{&m_file, 0};
    sf_private_tag *m_sound = nullptr;
    soxr *m_resampler = nullptr;
    std::vector<qint16> m_resampled;
    qint64 m_framesWritten = 0;
    QString m_error;
};
