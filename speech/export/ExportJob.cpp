#include "ExportJob.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr qint64 MinimumElapsedMs = 1000;
}

qint64 ExportPartBytes(const ExportPart &part)
{
    return std::max<qint64>(part.end - part.start, 0);
}

std::optional<qint64> EstimateSecondsLeft(qint64 elapsedMs, qint64 bytesDone, qint64 bytesTotal)
{
    if (elapsedMs < MinimumElapsedMs || bytesDone <= 0)
        return std::nullopt;
    const qint64 left = std::max<qint64>(bytesTotal - bytesDone, 0);
    return qint64(std::ceil(double(elapsedMs) * double(left) / double(bytesDone) / 1000.0));
}

SpeechSettings ExportSpeechSettings(const SpeechSettings &user)
{
    SpeechSettings settings = user.clamped();
    // espeak-ng's normal loudness is its full undistorted level; above it the library
    // amplifies into clipping.
    settings.volume = 100;
    return settings;
}
