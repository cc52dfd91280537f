#include "ChunkSize.h"
#include "PageFit.h"
#include "TextCodec.h"

namespace ChunkSize {

namespace {
const QChar MeasuringCharacter(0x597D); // 好
}

int FirstOverflowingCount(PageMeasure &measure)
{
    const auto fits = [&](int count) { return !measure.Overflows(QString(count, MeasuringCharacter)); };
    // Doubling phase: find a count that overflows, or give up at MaxCount.
    int lastFitting = 0;
    int count = 1;
    while (count <= MaxCount && fits(count)) {
        lastFitting = count;
        count *= 2;
    }
    if (count > MaxCount) {
        if (fits(MaxCount))
            return MaxCount + 1;
        count = MaxCount;
    }
    // Between a fitting and an overflowing count: the largest that fits, plus one.
    return PageFit::Bisect(lastFitting, count, fits) + 1;
}

qint64 ForCount(int count, TextEncoding encoding)
{
    return qint64(count) * TextCodec::ByteLength(encoding, QString(MeasuringCharacter)) * 12 / 10;
}

qint64 Measure(PageMeasure &measure, TextEncoding encoding)
{
    return ForCount(FirstOverflowingCount(measure), encoding);
}

}
