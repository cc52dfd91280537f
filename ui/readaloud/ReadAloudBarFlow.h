#pragma once
#include "ReadAloudLayout.h"
#include <vector>

// The bar's controls added beyond its first rows (export and sleep timer, chapters, opening, the
// encoding, 边听边看) flow into the room the search button and the home-page button leave, row
// by row in a fixed order, below the original controls. A row whose captions do not stand side
// by side on one line is cut into one row per control. A row that finds no room is hidden with
// all rows after it: its commands stay in the menu bar. Nothing flowed ever overlaps another
// control of the bar or runs past its bottom.
struct BarRow
{
    std::vector<double> needed; // the width each control's caption needs on one line
    double height = 450;
    double gap = 60; // between the controls of the row
};

struct BarFlowInput
{
    double barHeight = 0;        // the height the bar gives its controls
    double firstTop = 0;         // where the first added row may begin
    TwipsRect row;               // the left, width and height of a row across the bar
    std::vector<TwipsRect> busy; // controls that the rows must leave free (the moving buttons)
    std::vector<BarRow> rows;
};

// The places of each row's controls, in the order given; empty for a row that is hidden.
std::vector<std::vector<TwipsRect>> FlowBarRows(const BarFlowInput &in);

// The smallest bar height (in steps of `step` twips, from `from` up to `to`) at which `fits`
// holds of the bar's arrangement; `to` when none does.
template<typename Fits>
double SmallestBarHeight(double from, double to, double step, Fits fits)
{
    for (double height = from; height < to; height += step)
        if (fits(height))
            return height;
    return to;
}
