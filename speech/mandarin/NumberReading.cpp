#include "NumberReading.h"

namespace {
constexpr char16_t Digits[] = u"零一二三四五六七八九";
// Measure words after which 2 is said 两.
constexpr char16_t MeasureWords[] = u"个只本天位次种件条张把块岁匹头斤名双对层辆架间句步根支座首页"
                                    u"份篇场顿口碗杯瓶片封尊枚粒项倍周";

QString asciiDigits(QStringView text)
{
    QString result;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19)
            result.append(QChar(u - 0xFF10 + u'0'));
        else if (u == u'．')
            result.append(u'.');
        else if (u == u'％')
            result.append(u'%');
        else
            result.append(c);
    }
    return result;
}

QString digitByDigit(QStringView digits)
{
    QString result;
    for (QChar c : digits) {
        if (c.isDigit())
            result.append(QChar(Digits[c.unicode() - u'0']));
        else
            result.append(u'点');
    }
    return result;
}

// 0 to 9999, as said inside a larger number: "零" stands for zeros between digits.
QString belowTenThousand(int value, bool leading)
{
    static const char16_t Units[] = {u'千', u'百', u'十', 0};
    QString result;
    bool zero = false;
    for (int place = 1000, u = 0; place >= 1; place /= 10, ++u) {
        const int digit = value / place % 10;
        if (digit == 0) {
            zero = !result.isEmpty();
            continue;
        }
        if (zero)
            result.append(u'零');
        zero = false;
        // 十 alone at the start: "十五", not "一十五".
        if (!(digit == 1 && place == 10 && leading && result.isEmpty()))
            result.append(QChar(Digits[digit]));
        if (Units[u])
            result.append(QChar(Units[u]));
    }
    return result;
}

// An integer up to 12 digits, with 万 and 亿.
QString cardinal(qint64 value)
{
    if (value == 0)
        return u"零"_qs;
    static const char16_t Groups[] = {0, u'万', u'亿'};
    QString result;
    bool pendingZero = false;
    for (int group = 2; group >= 0; --group) {
        qint64 scale = 1;
        for (int g = 0; g < group; ++g)
            scale *= 10000;
        const int part = int(value / scale % 10000);
        if (part == 0) {
            pendingZero = !result.isEmpty();
            continue;
        }
        if (!result.isEmpty() && (pendingZero || part < 1000))
            result.append(u'零');
        pendingZero = false;
        result += belowTenThousand(part, result.isEmpty());
        if (Groups[group])
            result.append(QChar(Groups[group]));
    }
    return result;
}

bool isMeasureWord(QChar c)
{
    return !c.isNull() && QStringView(MeasureWords).contains(c);
}
}

QString NumberAsChinese(QStringView number, QChar before, QChar after)
{
    const QString text = asciiDigits(number);
    const bool percent = text.endsWith(u'%');
    const QString digits = percent ? text.chopped(1) : text;
    const qsizetype point = digits.indexOf(u'.');
    const QString whole = point < 0 ? digits : digits.left(point);
    QString result;
    if (whole.isEmpty() || digits.count(u'.') > 1 || (whole.size() > 1 && whole.startsWith(u'0'))
        || whole.size() > 12 || (whole.size() == 4 && after == u'年' && point < 0)) {
        result = digitByDigit(digits);
    } else {
        result = cardinal(whole.toLongLong());
        // 两 for a lone 2 before a measure word, and for a leading 2 of 千, 万 and 亿.
        const bool counted = before != u'第' && point < 0 && !percent;
        if (counted && ((result == u"二" && isMeasureWord(after))
                        || (result.size() > 1 && result.startsWith(u'二')
                            && QStringView(u"千万亿").contains(result[1]))))
            result[0] = u'两';
        if (point >= 0)
            result += u'点' + digitByDigit(QStringView(digits).mid(point + 1));
    }
    return percent ? u"百分之"_qs + result : result;
}
