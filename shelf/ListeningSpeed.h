#pragma once
#include <QtGlobal>
#include <optional>

// Measures how fast a voice reads a novel aloud: the bytes of each piece heard whole, from the
// moment it began to be heard to the moment the next one began, with the voice speaking all the
// while (a pause, a stop or a move leaves that piece out).
class ListeningSpeed
{
public:
    // Bytes per second until a voice is measured: about four Chinese characters a second in GBK.
    static constexpr double kDefaultBytesPerSecond = 8.0;

    // A piece of `bytes` bytes began to be heard at `ms` (milliseconds, never going back): the
    // speed of the piece heard before it, when that one was heard whole.
    std::optional<double> pieceBegan(qint64 bytes, qint64 ms);
    // The voice stopped, paused or was moved: the piece under way is not measured.
    void interrupted() { m_began.reset(); }

    // `kept` brought towards the new `measured` speed, so that one odd piece moves it little.
    static double Blend(std::optional<double> kept, double measured);

private:
    std::optional<qint64> m_began;
    qint64 m_bytes = 0;
};
