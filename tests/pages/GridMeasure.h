#pragma once
#include "PageMeasure.h"

// A page box of known size for the logic tests: `rows` lines of `columns` cells, an ASCII
// character taking one cell and any other two; every CR LF, lone CR or lone LF ends a line; a
// line wraps at any character, and holds at least one. Counts the questions asked.
class GridMeasure : public PageMeasure
{
public:
    GridMeasure(int columns, int rows) : m_columns(columns), m_rows(rows) {}

    bool Overflows(const QString &text) override
    {
        ++questions;
        return LineCount(text) > m_rows;
    }

    int LineCount(const QString &text) const
    {
        int lines = 1;
        int used = 0;
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                    ++i;
                ++lines;
                used = 0;
                continue;
            }
            const int cells = c.unicode() < 0x80 ? 1 : 2;
            if (used > 0 && used + cells > m_columns) {
                ++lines;
                used = 0;
            }
            used += cells;
        }
        return lines;
    }

    int questions = 0;

private:
    int m_columns;
    int m_rows;
};
