#pragma once
#include <QString>
#include <optional>

// Chapters first..last, 1-based and inclusive.
struct ChapterRange
{
    int first = 1;
    int last = 1;
    bool operator==(const ChapterRange &other) const
    {
        return first == other.first && last == other.last;
    }
};

// Reads "A-B" (chapters A to B) or "N" (chapter N alone) for a novel of `count` chapters; blanks
// around the numbers are allowed. Nothing for any other text, a range that runs backwards, or a
// number outside 1..count.
std::optional<ChapterRange> ParseChapterRange(const QString &text, int count);
