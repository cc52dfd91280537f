#include "MarkColour.h"
#include <algorithm>
#include <cmath>

double ColourDistance(const QColor &a, const QColor &b)
{
    const double redMean = (a.red() + b.red()) / 2.0;
    const double r = a.red() - b.red();
    const double g = a.green() - b.green();
    const double bl = a.blue() - b.blue();
    return std::sqrt((2 + redMean / 256) * r * r + 4 * g * g + (2 + (255 - redMean) / 256) * bl * bl);
}

QColor MarkColour(const QColor &text, const QColor &background)
{
    static const QColor candidates[] = {QColor(255, 215, 0),  QColor(0, 200, 255), QColor(255, 140, 0),
                                        QColor(50, 205, 50),  QColor(255, 80, 216), QColor(48, 80, 255),
                                        QColor(128, 128, 128), QColor(255, 255, 255), QColor(0, 0, 0)};
    auto score = [&](const QColor &c) { return std::min(ColourDistance(c, text), ColourDistance(c, background)); };
    return *std::max_element(std::begin(candidates), std::end(candidates),
                             [&](const QColor &a, const QColor &b) { return score(a) < score(b); });
}
