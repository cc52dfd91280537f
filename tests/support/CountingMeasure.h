#pragma once
#include "PageMeasure.h"

// A page measure that counts the questions asked of it and hands each to the measure it wraps:
// the fit questions (does the text overflow the box) apart from the questions of how much shows.
class CountingMeasure : public PageMeasure
{
public:
    explicit CountingMeasure(PageMeasure &inner) : m_inner(inner) {}
    bool Overflows(const QString &text) override
    {
        ++overflowQuestions;
        return m_inner.Overflows(text);
    }
    int ShownHeadLength(const QString &text) override
    {
        ++shownQuestions;
        return m_inner.ShownHeadLength(text);
    }
    int ShownTailStart(const QString &text) override
    {
        ++shownQuestions;
        return m_inner.ShownTailStart(text);
    }
    long questions() const { return overflowQuestions + shownQuestions; }

    long overflowQuestions = 0;
    long shownQuestions = 0;

private:
    PageMeasure &m_inner;
};
