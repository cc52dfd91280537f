#include "NumericText.h"
#include <cmath>
#include <limits>

qint64 NumericValue(const QString &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    long double value = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        value = value * 10 + (text[i++].unicode() - '0');
    if (i < n && text[i] == QLatin1Char('.')) {
        long double scale = 0.1L;
        for (++i; i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9'; ++i, scale /= 10)
            value += (text[i].unicode() - '0') * scale;
    }
    if (negative)
        value = -value;
    // Whole numbers round half to even, as the original conversion to a long did.
    const long double rounded = std::nearbyint(value);
    constexpr auto lo = static_cast<long double>(std::numeric_limits<qint64>::min());
    constexpr auto hi = static_cast<long double>(std::numeric_limits<qint64>::max());
    if (rounded <= lo)
        return std::numeric_limits<qint64>::min();
    if (rounded >= hi)
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(rounded);
}

QString FormatPercent(qint64 position, qint64 length)
{
    const double percent = static_cast<double>(position) * 100.0 / static_cast<double>(length);
    return QString::number(percent, 'f', 2) + QLatin1Char('%');
}
