#include "BoxMeasure.h"
#include "TextBox.h"

TextLayoutMeasure::Box MeasureBoxOf(const TextBox &box)
{
    TextLayoutMeasure::Box measured;
    measured.font = box.document()->defaultFont();
    measured.viewport = box.contentsRect().size();
    measured.documentMargin = box.document()->documentMargin();
    measured.option = box.document()->defaultTextOption();
    return measured;
}
