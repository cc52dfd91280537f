#pragma once
#include <QString>

// The user's engine settings: which espeak-ng voice speaks, how fast, how high and how loud, and
// the pauses the program makes after clauses, sentences, paragraphs and chapter headings.
// They live in the user's XDG config folder, apart from the program's own settings file.
struct SpeechSettings
{
    static constexpr int MinimumRate = 80;     // words per minute, as espeak-ng counts them
    static constexpr int MaximumRate = 450;
    static constexpr int MaximumFastRate = 1350; // the set rate made up to three times faster
    static constexpr int MaximumPitch = 100;
    static constexpr int MaximumVolume = 200;  // 100 is espeak-ng's normal loudness
    static constexpr int MaximumPauseMs = 3000;

    // What is done with a line that is a chapter heading: read as any line (with a paragraph's
    // pause), read with the heading's pause, or not read at all.
    enum class Headings { Read, ReadWithPause, Skip };

    QString voice = QStringLiteral("cmn-latn-pinyin");
    int rate = 175;
    int pitch = 50;
    int volume = 100;
    int clausePauseMs = 250;
    int sentencePauseMs = 500;
    int paragraphPauseMs = 800;
    int headingPauseMs = 1500;
    Headings headings = Headings::ReadWithPause;

    bool operator==(const SpeechSettings &other) const;
    bool operator!=(const SpeechSettings &other) const { return !(*this == other); }
    // The same settings with every number brought into its range and an empty voice replaced.
    SpeechSettings clamped() const;
};

// "<XDG config folder>/tarrowin/speech.conf"
QString SpeechSettingsFilePath();
// The stored settings; defaults for whatever is missing or unreadable.
SpeechSettings LoadSpeechSettings();
// Returns false when the file could not be written.
bool SaveSpeechSettings(const SpeechSettings &settings);
