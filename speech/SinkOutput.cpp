#include "SinkOutput.h"
#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

std::unique_ptr<SinkOutput> SinkOutput::open(int sampleRate)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || sampleRate <= 0)
        return nullptr;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    auto sink = std::make_unique<QAudioSink>(device, format);
    QIODevice *io = sink->start();
    if (!io || sink->error() != QAudio::NoError)
        return nullptr;
    return std::unique_ptr<SinkOutput>(new SinkOutput(std::move(sink), io, sampleRate));
}

SinkOutput::SinkOutput(std::unique_ptr<QAudioSink> sink, QIODevice *device, int sampleRate)
    : m_sink(std::move(sink)), m_device(device), m_sampleRate(sampleRate)
{
}

SinkOutput::~SinkOutput()
{
    // Drops what the server still holds, so that the sound stops at once.
    m_sink->reset();
}

qint64 SinkOutput::write(const QByteArray &samples)
{
    if (hasFailed())
        return 0;
    const qint64 written = m_device->write(samples);
    if (written <= 0)
        return 0;
    m_writtenFrames += written / 2;
    return written / 2 * 2;
}

qint64 SinkOutput::playedFrames() const
{
    return framesHeard(m_sink->processedUSecs(), m_sampleRate, m_writtenFrames);
}

void SinkOutput::suspend()
{
    m_sink->suspend();
}

void SinkOutput::resume()
{
    m_sink->resume();
}

void SinkOutput::setVolume(double volume)
{
    m_sink->setVolume(volume);
}

bool SinkOutput::hasFailed() const
{
    const QAudio::Error error = m_sink->error();
    return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}
