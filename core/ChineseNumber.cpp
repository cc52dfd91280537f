#include "ChineseNumber.h"
#include "CharIn.h"
#include <algorithm>

namespace {

constexpr qint64 kLargest = 1000000000;

// The digit a Chinese numeral stands for, -1 for a unit or any other character. "○" (a circle)
// stands in for "〇" in many real files.
int ChineseDigit(QChar c)
{
    switch (c.unicode()) {
    case u'零': case u'〇': case u'○': return 0;
    case u'一': case u'壹': return 1;
    case u'二': case u'两': case u'贰': case u'兩': case u'貳': return 2;
    case u'三': case u'叁': case u'參': return 3;
    case u'四': case u'肆': return 4;
    case u'五': case u'伍': return 5;
    case u'六': case u'陆': case u'陸': return 6;
    case u'七': case u'柒': return 7;
    case u'八': case u'捌': return 8;
    case u'九': case u'玖': return 9;
    default: return -1;
    }
}

// The factor of a unit below ten thousand (十 百 千 and their financial forms), 0 for others.
int SmallUnit(QChar c)
{
    if (CharIn(u"十拾", c))
        return 10;
    if (CharIn(u"百佰", c))
        return 100;
    if (CharIn(u"千仟", c))
        return 1000;
    return 0;
}

bool IsTenThousand(QChar c)
{
    return c == QChar(0x4E07) || c == QChar(0x842C); // 万 萬
}

int ArabicDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= 0xFF10 && u <= 0xFF19) // full-width digits
        return u - 0xFF10;
    return -1;
}

std::optional<qint64> Positional(QStringView numeral, int (*digitOf)(QChar))
{
    qint64 value = 0;
    for (QChar c : numeral) {
        const int digit = digitOf(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 10 + digit;
        if (value > kLargest)
            return std::nullopt;
    }
    return value;
}

// "一百零一", "十五", "两万三千": digits multiply the unit that follows them; a unit with no digit
// before it counts once ("十五" is 15).
std::optional<qint64> WithUnits(QStringView numeral)
{
    qint64 total = 0;
    qint64 section = 0;
    int digit = -1;
    for (QChar c : numeral) {
        if (const int d = ChineseDigit(c); d >= 0) {
            digit = d;
        } else if (const int unit = SmallUnit(c)) {
            section += (digit < 0 ? 1 : digit) * unit;
            digit = -1;
        } else if (IsTenThousand(c)) {
            total += (section + std::max(digit, 0)) * 10000;
            section = 0;
            digit = -1;
        } else {
            return std::nullopt;
        }
        if (total > kLargest)
            return std::nullopt;
    }
    return total + section + std::max(digit, 0);
}

}

bool IsNumeralChar(QChar c)
{
    return ArabicDigit(c) >= 0 || ChineseDigit(c) >= 0 || SmallUnit(c) > 0 || IsTenThousand(c);
}

std::optional<qint64> ChineseNumberValue(QStringView numeral)
{
    if (numeral.isEmpty() || numeral.size() > 12)
        return std::nullopt;
    if (ArabicDigit(numeral.front()) >= 0)
        return Positional(numeral, ArabicDigit);
    for (QChar c : numeral) {
        if (SmallUnit(c) > 0 || IsTenThousand(c))
            return WithUnits(numeral);
    }
    return Positional(numeral, ChineseDigit);
}
