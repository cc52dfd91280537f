#pragma once
#include <QtGlobal>
#include <optional>

// How fast the voice says the text, measured from the words heard: characters a second at the
// rate set in "调整语音" (speed 1), pauses included, so that a spoken time can be told for any
// stretch of text at any speed. Until enough has been heard, a usual Mandarin pace stands in.
class SpeechPace
{
public:
    static constexpr double kUsualCharactersPerSecond = 4.0;

    // A word heard at `ms` (a steady clock), `characters` after the one heard before it, at
    // `speed`. No characters (or a gap of seconds) begins a new measure there: after a move, a
    // pause, a new piece.
    void heard(qint64 ms, qint64 characters, double speed);
    double charactersPerSecond(double speed) const;
    qint64 milliseconds(qint64 characters, double speed) const;

private:
    std::optional<qint64> m_lastMs;
    double m_characters = 0;
    double m_ms = 0; // as long as they would have taken at speed 1
};
