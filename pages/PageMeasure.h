#pragma once
#include <QString>

// The question the page engine asks of the page box: would this text need more lines than the
// box shows? A line that is only partly visible counts as not shown. Whoever answers it must
// answer exactly as the page box would for the same size, font, wrapping and line breaks.
class PageMeasure
{
public:
    virtual ~PageMeasure() = default;

    virtual bool Overflows(const QString &text) = 0;

    // Optional guesses, quicker than a question, so that a fit needs only a few questions: how
    // many leading characters of `text` the box shows, and where the trailing characters that
    // it can show begin. -1 when the measure cannot tell; the fit then searches without a
    // guess. A wrong guess costs questions, never a wrong answer.
    virtual int ShownHeadLength(const QString &text)
    {
        Q_UNUSED(text);
        return -1;
    }
    virtual int ShownTailStart(const QString &text)
    {
        Q_UNUSED(text);
        return -1;
    }
};
