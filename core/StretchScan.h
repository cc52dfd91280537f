#pragma once
#include "PartStarts.h"
#include "TextEncoding.h"
#include <QString>
#include <atomic>
#include <optional>
#include <vector>

// A line that may be a heading by its first character.
struct HeadingCandidate
{
    qint64 start = 0; // the file offset of the line's first byte
    qint64 size = 0;  // its bytes without the line end (and without a byte-order mark)
    // Where the start of the line that the heading rule looks at lies in the stretch's text, and
    // whether that is the whole line.
    qsizetype textStart = 0;
    qsizetype textSize = 0;
    bool whole = true;
};

// What the scan finds in one stretch of a novel's bytes: the lines that start in it and may be
// headings, in order, their text one after the other, and the line starts the equal parts need.
struct StretchScan
{
    std::vector<HeadingCandidate> candidates;
    QString text;
    PartStarts parts;

    QStringView TextOf(const HeadingCandidate &line) const
    {
        return QStringView(text).mid(line.textStart, line.textSize);
    }
};

// Scans the lines of `bytes` (the whole file, `size` bytes in `encoding`) that start at offsets
// from `from` to before `to`; a stretch's last line may run on past `to`. Only the bytes are looked
// at, except for the lines that may be headings. nullopt when `cancelled` is set during the scan.
std::optional<StretchScan> ScanStretch(const char *bytes, qint64 size, TextEncoding encoding, qint64 from, qint64 to,
                                       const std::atomic_bool *cancelled);
