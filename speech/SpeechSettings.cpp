#include "SpeechSettings.h"
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace {
const QString VoiceKey = QStringLiteral("voice");
const QString RateKey = QStringLiteral("rate");
const QString PitchKey = QStringLiteral("pitch");
const QString VolumeKey = QStringLiteral("volume");

int readNumber(const QSettings &file, const QString &key, int fallback)
{
    bool ok = false;
    const int value = file.value(key).toInt(&ok);
    return ok ? value : fallback;
}
}

bool SpeechSettings::operator==(const SpeechSettings &other) const
{
    return voice == other.voice && rate == other.rate && pitch == other.pitch
        && volume == other.volume;
}

SpeechSettings SpeechSettings::clamped() const
{
    SpeechSettings result = *this;
    if (result.voice.trimmed().isEmpty())
        result.voice = SpeechSettings().voice;
    result.rate = std::clamp(rate, MinimumRate, MaximumRate);
    result.pitch = std::clamp(pitch, 0, MaximumPitch);
    result.volume = std::clamp(volume, 0, MaximumVolume);
    return result;
}

QString SpeechSettingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/tarrowin/speech.conf");
}

SpeechSettings LoadSpeechSettings()
{
    const QSettings file(SpeechSettingsFilePath(), QSettings::IniFormat);
    const SpeechSettings defaults;
    SpeechSettings settings;
    settings.voice = file.value(VoiceKey, defaults.voice).toString();
    settings.rate = readNumber(file, RateKey, defaults.rate);
    settings.pitch = readNumber(file, PitchKey, defaults.pitch);
    settings.volume = readNumber(file, VolumeKey, defaults.volume);
    return settings.clamped();
}

bool SaveSpeechSettings(const SpeechSettings &settings)
{
    const QString path = SpeechSettingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings file(path, QSettings::IniFormat);
    const SpeechSettings valid = settings.clamped();
    file.setValue(VoiceKey, valid.voice);
    file.setValue(RateKey, valid.rate);
    file.setValue(PitchKey, valid.pitch);
    file.setValue(VolumeKey, valid.volume);
    file.sync();
    return file.status() == QSettings::NoError;
}
