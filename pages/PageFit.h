#pragma once
#include "PageMeasure.h"
#include <QString>
#include <functional>

// Fitting a chunk of text to the page box. The answers are those of trimming the chunk one
// character at a time until it fits, found with a few questions: a guess from one layout, a
// gallop from the guess and a binary search. They rely on the box's answer being monotone: a
// text that fits still fits without its last (or first) character.
namespace PageFit {

// The largest k in 0..n for which fits(k) holds, fits(0) being taken as true without asking.
// `guess` (-1 for none) is where the search starts.
int LargestFitting(int n, int guess, const std::function<bool(int)> &fits);

// The largest k with fits(k), knowing that fits(lo) holds and fits(hi) does not (lo < hi).
int Bisect(int lo, int hi, const std::function<bool(int)> &fits);

// How many leading characters of `text` the box can show: the length left after removing last
// characters until the rest fits. Counts are of UTF-16 units, but a surrogate pair goes as one
// character: neither this nor FitTail cuts a character outside the basic plane in two.
int FitHead(PageMeasure &measure, const QString &text);

// Where the trailing characters that the box can show begin: the number of first characters
// removed until the rest fits.
int FitTail(PageMeasure &measure, const QString &text);

}
