#include "PageTurn.h"
#include "NumericText.h"

namespace {

void TurnOnePage(PageTurnTarget &target, int index)
{
    const QString positionBefore = target.PositionText();
    const QString page = index == 0
        ? target.NextPage()
        : target.PrevPage(target.PageText());
    if (page.isEmpty())
        target.SetPositionText(positionBefore);
    else
        target.SetPageText(page);
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
