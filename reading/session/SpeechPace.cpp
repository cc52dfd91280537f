#include "SpeechPace.h"

namespace {
constexpr qint64 kLongestGapMs = 3000; // longer between two words: a pause of the listener's
constexpr double kEnoughCharacters = 20;
}

void SpeechPace::heard(qint64 ms, qint64 characters, double speed)
{
    if (m_lastMs && characters > 0 && ms > *m_lastMs && ms - *m_lastMs <= kLongestGapMs) {
        m_characters += double(characters);
        m_ms += double(ms - *m_lastMs) * speed;
    }
    m_lastMs = ms;
}

double SpeechPace::charactersPerSecond(double speed) const
{
    const double atSetRate = m_characters >= kEnoughCharacters && m_ms > 0 ? m_characters * 1000 / m_ms
                                                                           : kUsualCharactersPerSecond;
    return atSetRate * speed;
}

qint64 SpeechPace::milliseconds(qint64 characters, double speed) const
{
    return qint64(double(characters) * 1000 / charactersPerSecond(speed));
}
