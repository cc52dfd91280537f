#include "PieceBreaks.h"

bool IsPieceBreak(QChar c)
{
    switch (c.unicode()) {
    case 0x0020: case 0xFF0C: case 0x3002: case 0xFF1F:
    case 0xFF01: case 0xFF1A: case 0x000A: case 0x000D:
        return true;
    default:
        return false;
    }
}

qsizetype LastPieceBreak(const QString &text)
{
    for (qsizetype i = text.size(); i > 0; --i) {
        if (IsPieceBreak(text[i - 1]))
            return i;
    }
    return 0;
}
