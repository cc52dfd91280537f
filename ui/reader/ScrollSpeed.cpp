#include "ScrollSpeed.h"
#include "NumericText.h"

namespace ScrollSpeed {

QString Changed(const QString &label, int index, int step)
{
    const qint64 number = NumericValue(label) + (index == 0 ? step : -qint64(step));
    if (number < Lowest)
        return QString::number(Lowest);
    if (number > Highest)
        return QString::number(Highest);
    return QString::number(number);
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
