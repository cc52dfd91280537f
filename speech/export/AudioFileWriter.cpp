#include "AudioFileWriter.h"
#include "Id3Tag.h"
#include "SampleFormat.h"
#include <QFileInfo>
#include <QStorageInfo>
#include <soxr.h>
#include <sndfile.h>

namespace {
// Less free space than this on a failed write: the disk is full.
constexpr qint64 kFullDiskBytes = 64 * 1024;

constexpr qint64 ResampleBlock = 4096; // output frames per resampler call

using SoundDevice = AudioFileWriter::SoundDevice;

SoundDevice &device(void *data)
{
    return *static_cast<SoundDevice *>(data);
}

// libsndfile's file access, on the save file from the sound's start (after a tag written ahead).
sf_count_t fileLength(void *data)
{
    return device(data).file->size() - device(data).start;
}

sf_count_t fileSeek(sf_count_t offset, int whence, void *data)
{
    const SoundDevice &sound = device(data);
    const qint64 base = whence == SEEK_CUR ? sound.file->pos() : whence == SEEK_END ? sound.file->size() : sound.start;
    return base + offset >= sound.start && sound.file->seek(base + offset) ? sound.file->pos() - sound.start : -1;
}

sf_count_t fileRead(void *buffer, sf_count_t count, void *data)
{
    return std::max<qint64>(device(data).file->read(static_cast<char *>(buffer), count), 0);
}

sf_count_t fileWrite(const void *buffer, sf_count_t count, void *data)
{
    return std::max<qint64>(device(data).file->write(static_cast<const char *>(buffer), count), 0);
}

sf_count_t fileTell(void *data)
{
    return device(data).file->pos() - device(data).start;
}

SF_VIRTUAL_IO FileAccess = {fileLength, fileSeek, fileRead, fileWrite, fileTell};

// A tag in UTF-8, as the formats libsndfile tags (all but MP3) hold it.
void setTag(SNDFILE *sound, int kind, const QString &value)
{
    if (!value.isEmpty())
        sf_set_string(sound, kind, value.toUtf8().constData()); // formats without tags refuse it
}
}

AudioFileWriter::AudioFileWriter(const QString &path, AudioFormat format, int inputRate,
                                 const AudioTags &tags)
    : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly)) {
        fail(m_file.errorString());
        return;
    }
    // MP3's tags go ahead of the sound as ID3v2, in UTF-16: the encoder's own are Latin-1 only.
    if (format == AudioFormat::Mp3) {
        const QByteArray tag = Id3v2Tag(tags);
        if (m_file.write(tag) != tag.size()) {
            fail(m_file.errorString());
            return;
        }
        m_device.start = tag.size();
    }
    SF_INFO info{};
    info.samplerate = AudioFormatFileRate(format, inputRate);
    info.channels = SampleFormat::Channels;
    info.format = AudioFormatCode(format);
    m_sound = sf_open_virtual(&FileAccess, SFM_WRITE, &info, &m_device);
    if (!m_sound) {
        fail(QString::fromUtf8(sf_strerror(nullptr)));
        return;
    }
    if (std::optional<double> level = AudioFormatCompressionLevel(format))
        sf_command(m_sound, SFC_SET_COMPRESSION_LEVEL, &*level, sizeof(double));
    if (format != AudioFormat::Mp3) {
        setTag(m_sound, SF_STR_TITLE, tags.title);
        setTag(m_sound, SF_STR_ALBUM, tags.album);
        if (tags.track > 0)
            setTag(m_sound, SF_STR_TRACKNUMBER, QString::number(tags.track));
    }
    if (info.samplerate != inputRate) {
        const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_MQ, 0);
        soxr_error_t error = nullptr;
        m_resampler = soxr_create(inputRate, info.samplerate, 1, &error, &io, &quality, nullptr);
        if (error)
            fail(QString::fromUtf8(error));
        m_resampled.resize(ResampleBlock);
    }
}

AudioFileWriter::~AudioFileWriter()
{
    close();
    // An uncommitted save file removes its temporary file when it goes.
}

// A full disk is said as such: the reasons the writes give for it vary (an unknown error among
// them), the free space of the file's folder does not.
void AudioFileWriter::fail(const QString &reason)
{
    if (!m_error.isEmpty())
        return;
    const QStorageInfo disk(QFileInfo(m_file.fileName()).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < kFullDiskBytes)
        m_error = QStringLiteral("磁盘已满");
    else
        m_error = reason.isEmpty() ? QStringLiteral("写入失败") : reason;
}

void AudioFileWriter::close()
{
    if (m_resampler)
        soxr_delete(m_resampler);
    m_resampler = nullptr;
    if (m_sound && sf_close(m_sound) != 0)
        fail(QStringLiteral("写入失败"));
    m_sound = nullptr;
}

bool AudioFileWriter::writeFrames(const qint16 *frames, qint64 count)
{
    if (count == 0)
        return true;
    if (sf_write_short(m_sound, frames, count) != count) {
        fail(m_file.error() != QFileDevice::NoError ? m_file.errorString()
                                                    : QString::fromUtf8(sf_strerror(m_sound)));
        return false;
    }
    m_framesWritten += count;
    return true;
}

bool AudioFileWriter::resample(const qint16 *samples, qint64 count)
{
    // With no input (samples null) the resampler hands out what it still holds.
    qint64 consumed = 0;
    size_t produced = 0;
    do {
        size_t taken = 0;
        const soxr_error_t error = soxr_process(
            m_resampler, samples ? samples + consumed : nullptr, size_t(count - consumed), &taken,
            m_resampled.data(), m_resampled.size(), &produced);
        if (error) {
            fail(QString::fromUtf8(error));
            return false;
        }
        consumed += qint64(taken);
        if (!writeFrames(m_resampled.data(), qint64(produced)))
            return false;
    } while (consumed < count || produced == m_resampled.size() || (!samples && produced > 0));
    return true;
}

bool AudioFileWriter::write(const qint16 *samples, qint64 count)
{
    if (!isGood())
        return false;
    return m_resampler ? resample(samples, count) : writeFrames(samples, count);
}

bool AudioFileWriter::commit()
{
    if (isGood() && m_resampler)
        resample(nullptr, 0);
    close();
    if (!isGood()) {
        m_file.cancelWriting();
        return false;
    }
    if (!m_file.commit()) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}
