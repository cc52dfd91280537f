#include "NumericText.h"
#include <limits>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Whether the fraction digits from `i` on round the whole number up. Half rounds to the even
// neighbour, as the conversion of a number to a whole number does.
bool roundsUp(const QString &text, qsizetype i, quint64 whole)
{
    if (i >= text.size() || !isAsciiDigit(text[i]))
        return false;
    const int first = text[i].unicode() - '0';
    if (first != 5)
        return first > 5;
    for (++i; i < text.size() && isAsciiDigit(text[i]); ++i) {
        if (text[i] != QLatin1Char('0'))
            return true;
    }
    return whole % 2 == 1;
}

}

qint64 NumericValue(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    // Held one past the largest magnitude so that saturation below stays exact.
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max()) + 1;
    quint64 whole = 0;
    for (; i < n && isAsciiDigit(text[i]); ++i)
        whole = whole > limit / 10 ? limit : std::min(limit, whole * 10 + (text[i].unicode() - '0'));
    if (i < n && text[i] == QLatin1Char('.') && roundsUp(text, i + 1, whole) && whole < limit)
        ++whole;
    if (negative)
        return whole >= limit ? std::numeric_limits<qint64>::min() : -qint64(whole);
    return whole >= limit ? std::numeric_limits<qint64>::max() : qint64(whole);
}

QString FormatPercent(qint64 position, qint64 length)
{
    if (length <= 0)
        return QString();
    const double percent = static_cast<double>(position) * 100.0 / static_cast<double>(length);
    return QString::number(percent, 'f', 2) + QLatin1Char('%');
}
