#include "ListeningSpeed.h"

namespace {
// A piece shorter than this is too short to time (a heading, a line end).
constexpr qint64 kShortestMs = 1000;
constexpr double kNewWeight = 0.2;
}

std::optional<double> ListeningSpeed::pieceBegan(qint64 bytes, qint64 ms)
{
    std::optional<double> measured;
    if (m_began && ms - *m_began >= kShortestMs && m_bytes > 0)
        measured = double(m_bytes) * 1000.0 / double(ms - *m_began);
    m_began = ms;
    m_bytes = bytes;
    return measured;
}

double ListeningSpeed::Blend(std::optional<double> kept, double measured)
{
    return kept ? *kept + kNewWeight * (measured - *kept) : measured;
}
