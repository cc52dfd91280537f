#include "PageTurn.h"
#include "NumericText.h"

namespace {

void TurnOnePage(PageTurnTarget &target, int index)
{
    if (index == 0) {
        target.SetPageText(target.NextPage());
        return;
    }
    const bool alignCheck = target.CountText(1) == QLatin1String("1");
    target.SetPageText(target.PrevPage(target.PageText(), alignCheck));
}

}

void TurnPages(PageTurnTarget &target, int index)
{
    for (;;) {
        const QString pageBefore = target.PageText();
        const QString positionBefore = target.PositionText();
        TurnOnePage(target, index);
        const qint64 count = NumericValue(target.CountText(index));
        if (count <= 1)
            return;
        if (target.PageText() == pageBefore && target.PositionText() == positionBefore) {
            target.SetCountText(index, QStringLiteral("1"));
            return;
        }
        target.SetCountText(index, QString::number(count - 1));
    }
}
