#include "ScrollSpeed.h"
#include <algorithm>
#include <QtGlobal>

namespace ScrollSpeed {

int Changed(int interval, int index, int step)
{
    const qint64 number = qint64(interval) + (index == 0 ? step : -qint64(step));
    return int(std::clamp<qint64>(number, Lowest, Highest));
}

ClickZone ZoneOf(double y, double height)
{
    if (y < height / 3)
        return ClickZone::Faster;
    if (y > 2 * height / 3)
        return ClickZone::Slower;
    return ClickZone::PauseOrResume;
}

}
