#include "ReadAloudBarFlow.h"
#include "ReadAloudLayout.h"
#include <numeric>

namespace {
// The vertical gap kept between rows, and between a row and a busy control.
constexpr double kRowGap = 60;

bool Crosses(double top, double bottom, const TwipsRect &busy)
{
    return top < busy.bottom() + kRowGap && busy.top < bottom + kRowGap;
}

// The first top from `top` down at which a row of `height` crosses no busy control.
double FreeTop(double top, double height, const std::vector<TwipsRect> &busy)
{
    for (bool moved = true; moved;) {
        moved = false;
        for (const TwipsRect &b : busy) {
            if (Crosses(top, top + height, b)) {
                top = b.bottom() + kRowGap;
                moved = true;
            }
        }
    }
    return top;
}

// The lines a row takes: itself when its captions fit side by side, else one line per control.
std::vector<BarRow> Lines(const BarRow &row, double width)
{
    const double needed = std::accumulate(row.needed.begin(), row.needed.end(), 0.0)
        + row.gap * double(row.needed.size() - 1);
    if (needed <= width || row.needed.size() < 2)
        return {row};
    std::vector<BarRow> lines;
    for (double each : row.needed)
        lines.push_back({{each}, row.height, row.gap});
    return lines;
}
}

std::vector<std::vector<TwipsRect>> FlowBarRows(const BarFlowInput &in)
{
    std::vector<std::vector<TwipsRect>> out(in.rows.size());
    double top = in.firstTop;
    for (std::size_t i = 0; i < in.rows.size(); ++i) {
        std::vector<TwipsRect> places;
        for (const BarRow &line : Lines(in.rows[i], in.row.width)) {
            top = FreeTop(top, line.height, in.busy);
            if (top + line.height > in.barHeight)
                return out; // no room: this row and those after it are hidden
            const std::vector<TwipsRect> shared
                = ShareRow({in.row.left, top, in.row.width, line.height}, line.gap, line.needed);
            places.insert(places.end(), shared.begin(), shared.end());
            top += line.height + kRowGap;
        }
        out[i] = places;
    }
    return out;
}
