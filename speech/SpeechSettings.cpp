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
const QString ClausePauseKey = QStringLiteral("pause_clause_ms");
const QString SentencePauseKey = QStringLiteral("pause_sentence_ms");
const QString ParagraphPauseKey = QStringLiteral("pause_paragraph_ms");
const QString HeadingPauseKey = QStringLiteral("pause_heading_ms");
const QString HeadingsKey = QStringLiteral("headings");
// The values of the headings key, by SpeechSettings::Headings.
const QString HeadingsValues[] = {QStringLiteral("read"), QStringLiteral("pause"), QStringLiteral("skip")};

SpeechSettings::Headings readHeadings(const QSettings &file, SpeechSettings::Headings fallback)
{
    const QString value = file.value(HeadingsKey).toString();
    for (int i = 0; i < 3; ++i) {
        if (value == HeadingsValues[i])
            return SpeechSettings::Headings(i);
    }
    return fallback;
}

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
        && volume == other.volume && clausePauseMs == other.clausePauseMs
        && sentencePauseMs == other.sentencePauseMs && paragraphPauseMs == other.paragraphPauseMs
        && headingPauseMs == other.headingPauseMs && headings == other.headings;
}

SpeechSettings SpeechSettings::clamped() const
{
    SpeechSettings result = *this;
    if (result.voice.trimmed().isEmpty())
        result.voice = SpeechSettings().voice;
    result.rate = std::clamp(rate, MinimumRate, MaximumRate);
    result.pitch = std::clamp(pitch, 0, MaximumPitch);
    result.volume = std::clamp(volume, 0, MaximumVolume);
    for (int *pause : {&result.clausePauseMs, &result.sentencePauseMs, &result.paragraphPauseMs,
                       &result.headingPauseMs})
        *pause = std::clamp(*pause, 0, MaximumPauseMs);
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
    settings.clausePauseMs = readNumber(file, ClausePauseKey, defaults.clausePauseMs);
    settings.sentencePauseMs = readNumber(file, SentencePauseKey, defaults.sentencePauseMs);
    settings.paragraphPauseMs = readNumber(file, ParagraphPauseKey, defaults.paragraphPauseMs);
    settings.headingPauseMs = readNumber(file, HeadingPauseKey, defaults.headingPauseMs);
    settings.headings = readHeadings(file, defaults.headings);
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
    file.setValue(ClausePauseKey, valid.clausePauseMs);
    file.setValue(SentencePauseKey, valid.sentencePauseMs);
    file.setValue(ParagraphPauseKey, valid.paragraphPauseMs);
    file.setValue(HeadingPauseKey, valid.headingPauseMs);
    file.setValue(HeadingsKey, HeadingsValues[int(valid.headings)]);
    file.sync();
    return file.status() == QSettings::NoError;
}
