#include "PageCut.h"

namespace PageCut {

bool IsBreakCharacter(QChar c)
{
    switch (c.unicode()) {
    case 0x0020: // space
    case 0xFF0C: // ，
    case 0x3002: // 。
    case 0xFF01: // ！
    case 0xFF1A: // ：
    case 0x201D: // ”
    case 0xFF1B: // ；
    case 0xFF1F: // ？
    case 0x000A: // LF
    case 0x000D: // CR
        return true;
    default:
        return false;
    }
}

QString HeadPage(const QString &fitted)
{
    for (qsizetype i = fitted.size() - 1; i >= 0; --i) {
        if (IsBreakCharacter(fitted.at(i)))
            return fitted.left(i + 1);
    }
    return fitted;
}

QString TailPage(const QString &fitted)
{
    for (qsizetype i = 0; i + 1 < fitted.size(); ++i) {
        if (IsBreakCharacter(fitted.at(i)))
            return fitted.mid(i + 1);
    }
    return fitted;
}

}
