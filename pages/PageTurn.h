#pragma once
#include "BytePos.h"
#include <QString>

// What a page turn works on: the window's page box, its two count boxes (index 0 forward,
// 1 backward), its position and its page engine.
class PageTurnTarget
{
public:
    virtual ~PageTurnTarget() = default;
    virtual QString CountText(int index) const = 0;
    virtual void SetCountText(int index, const QString &text) = 0;
    virtual QString PageText() const = 0;
    virtual void SetPageText(const QString &text) = 0;
    virtual BytePos Position() const = 0;
    virtual void SetPosition(BytePos position) = 0;
    virtual QString NextPage() = 0;
    virtual QString PrevPage(const QString &shownText) = 0;
};

// Turns one page (forward for 0, backward for 1); a turn that gives no page leaves the page on
// show and its position.
void TurnOnePage(PageTurnTarget &target, int index);

// The mouse wheel over the page turns pages: a notch (120 eighths of a degree) turns one, the
// small steps of a high-resolution wheel or touch pad add up to notches, and a step the other way
// drops what had added up.
class WheelTurns
{
public:
    // The pages a wheel step of `angleDelta` turns: above 0 backward (the wheel turned away from
    // the listener), below 0 forward.
    int Add(int angleDelta);

private:
    int m_rest = 0;
};

// Turns as many pages as the count box `index` says (forward for 0, backward for 1), each
// passing through the page box, counting the box down to "1". A count that is not a number
// above 1 turns one page and leaves the box as it is. A turn that gives no page (past the end or before the start of the file, a box
// too small for one line) leaves the page on show and its position, so that an empty page never
// becomes the place. Once a turn changes neither the page nor the position, the turns left would
// repeat it: the box is set to "1" at once.
void TurnPages(PageTurnTarget &target, int index);
