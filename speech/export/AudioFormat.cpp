#include "AudioFormat.h"
#include <sndfile.h>
#include <algorithm>

namespace {
struct FormatInfo
{
    AudioFormat format;
    const char *name;
    const char *caption;
    const char *extension;
    int code;
};

const FormatInfo Formats[] = {
    {AudioFormat::Opus, "opus", "Ogg Opus", "opus", SF_FORMAT_OGG | SF_FORMAT_OPUS},
    {AudioFormat::Vorbis, "vorbis", "Ogg Vorbis", "ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
    {AudioFormat::Mp3, "mp3", "MP3", "mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
    {AudioFormat::Flac, "flac", "FLAC", "flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {AudioFormat::Wav, "wav", "WAV", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
};

const FormatInfo &info(AudioFormat format)
{
    for (const FormatInfo &entry : Formats) {
        if (entry.format == format)
            return entry;
    }
    return Formats[0];
}

const int OpusRates[] = {8000, 12000, 16000, 24000, 48000};
}

QList<AudioFormat> AudioFormats()
{
    QList<AudioFormat> result;
    for (const FormatInfo &entry : Formats)
        result.append(entry.format);
    return result;
}

QString AudioFormatName(AudioFormat format)
{
    return QString::fromLatin1(info(format).name);
}

std::optional<AudioFormat> AudioFormatFromName(const QString &name)
{
    for (const FormatInfo &entry : Formats) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.format;
    }
    return std::nullopt;
}

QString AudioFormatCaption(AudioFormat format)
{
    return QString::fromLatin1(info(format).caption);
}

QString AudioFormatExtension(AudioFormat format)
{
    return QString::fromLatin1(info(format).extension);
}

int AudioFormatCode(AudioFormat format)
{
    return info(format).code;
}

std::optional<double> AudioFormatCompressionLevel(AudioFormat format)
{
    if (format == AudioFormat::Opus)
        return 0.8;
    return std::nullopt;
}

int AudioFormatFileRate(AudioFormat format, int inputRate)
{
    if (format != AudioFormat::Opus)
        return inputRate;
    for (const int rate : OpusRates) {
        if (rate >= inputRate)
            return rate;
    }
    return OpusRates[std::size(OpusRates) - 1];
}
