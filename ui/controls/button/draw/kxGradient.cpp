#include "kxGradient.h"
#include <QPainter>
#include <algorithm>

namespace kxGradient {

Bands bandsFor(int extent, int screenExtent)
{
    if (extent <= 0)
        return {1, 0};
    if (screenExtent / extent < 4)
        return {2, std::max(1, extent / 2)};
    return {1, extent};
}

std::vector<Rgb> colourTable(Rgb from, Rgb to, int count)
{
    using namespace kxColour;
    std::vector<Rgb> table;
    if (count <= 0)
        return table;
    table.reserve(size_t(count));
    table.push_back(from);
    if (count == 1)
        return table;
    double channel[3] = {double(red(from)), double(green(from)), double(blue(from))};
    const int end[3] = {red(to), green(to), blue(to)};
    double step[3];
    for (int i = 0; i < 3; ++i)
        step[i] = (end[i] - channel[i]) / (count - 1);
    for (int n = 1; n < count - 1; ++n) {
        for (int i = 0; i < 3; ++i)
            channel[i] = std::clamp(channel[i] + step[i], 0.0, 255.0);
        table.push_back(rgb(int(channel[0]), int(channel[1]), int(channel[2])));
    }
    table.push_back(to);
    return table;
}

void DrawGradient(QPainter &p, QSize size, int mode, Rgb from, Rgb to, QSize screen)
{
    const bool across = mode == 1 || mode == 2;
    const bool reversed = mode == 2 || mode == 4;
    const int extent = across ? size.width() : size.height();
    const Bands bands = bandsFor(extent, across ? screen.width() : screen.height());
    const std::vector<Rgb> table = colourTable(from, to, bands.count);
    for (int i = 0; i < bands.count; ++i) {
        const int start = i * bands.thickness;
        // The last band also covers the odd pixel that 2-pixel bands leave over.
        const int length = i == bands.count - 1 ? extent - start : bands.thickness;
        const Rgb colour = table[size_t(reversed ? bands.count - 1 - i : i)];
        const QRect band = across ? QRect(start, 0, length, size.height()) : QRect(0, start, size.width(), length);
        p.fillRect(band, kxColour::toQColor(colour));
    }
}
}
