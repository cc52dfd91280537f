#include "PageFit.h"

namespace PageFit {

namespace {

// Moves up from a fitting `lo` in growing steps until a step overflows (or reaches `hi`).
void GallopUp(int &lo, int &hi, const std::function<bool(int)> &fits)
{
    for (int step = 1;; step *= 2) {
        const int next = lo + step;
        if (next >= hi)
            return;
        if (!fits(next)) {
            hi = next;
            return;
        }
        lo = next;
    }
}

// Moves down from an overflowing `hi` in growing steps until a step fits (or reaches `lo`).
void GallopDown(int &lo, int &hi, const std::function<bool(int)> &fits)
{
    for (int step = 1;; step *= 2) {
        const int next = hi - step;
        if (next <= lo)
            return;
        if (fits(next)) {
            lo = next;
            return;
        }
        hi = next;
    }
}

// Whether a cut of `text` at `at` falls between the two halves of a surrogate pair (a character
// outside the basic plane), which would show half a character.
bool SplitsPair(const QString &text, int at)
{
    return at > 0 && at < text.size() && text.at(at - 1).isHighSurrogate() && text.at(at).isLowSurrogate();
}

}

int Bisect(int lo, int hi, const std::function<bool(int)> &fits)
{
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

int LargestFitting(int n, int guess, const std::function<bool(int)> &fits)
{
    int lo = 0;     // fits
    int hi = n + 1; // overflows
    const int start = (guess >= 0 && guess <= n) ? guess : n;
    if (start > 0 && !fits(start)) {
        hi = start;
        GallopDown(lo, hi, fits);
    } else {
        lo = start;
        GallopUp(lo, hi, fits);
    }
    return Bisect(lo, hi, fits);
}

int FitHead(PageMeasure &measure, const QString &text)
{
    const int n = int(text.size());
    if (n == 0)
        return 0;
    const int guess = measure.ShownHeadLength(text);
    const int shown = LargestFitting(n, guess, [&](int k) { return !measure.Overflows(text.left(k)); });
    return SplitsPair(text, shown) ? shown - 1 : shown;
}

int FitTail(PageMeasure &measure, const QString &text)
{
    const int n = int(text.size());
    if (n == 0)
        return 0;
    const int tailStart = measure.ShownTailStart(text);
    const int guess = tailStart < 0 ? -1 : n - tailStart;
    const int removed = n - LargestFitting(n, guess, [&](int k) { return !measure.Overflows(text.right(k)); });
    return SplitsPair(text, removed) ? removed + 1 : removed;
}

}
