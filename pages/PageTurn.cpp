#include "PageTurn.h"
#include "NumericText.h"

void TurnOnePage(PageTurnTarget &target, int index)
{
    const BytePos positionBefore = target.Position();
    const QString page = index == 0
        ? target.NextPage()
        : target.PrevPage(target.PageText());
    if (page.isEmpty())
        target.SetPosition(positionBefore);
    else
        target.SetPageText(page);
}

int WheelTurns::Add(int angleDelta)
{
    constexpr int kNotch = 120;
    if ((angleDelta > 0 && m_rest < 0) || (angleDelta < 0 && m_rest > 0))
        m_rest = 0;
    m_rest += angleDelta;
    const int notches = m_rest / kNotch;
    m_rest -= notches * kNotch;
    return notches;
}

void TurnPages(PageTurnTarget &target, int index)
{
    for (;;) {
        const QString pageBefore = target.PageText();
        const BytePos positionBefore = target.Position();
        TurnOnePage(target, index);
        const qint64 count = NumericValue(target.CountText(index));
        if (count <= 1)
            return;
        if (target.PageText() == pageBefore && target.Position() == positionBefore) {
            target.SetCountText(index, QStringLiteral("1"));
            return;
        }
        target.SetCountText(index, QString::number(count - 1));
    }
}
