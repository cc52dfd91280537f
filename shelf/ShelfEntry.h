#pragma once
#include "BytePos.h"
#include <QDateTime>
#include <QString>
#include <optional>

// A novel on the shelf: its file, its place, when it was last read, and what the shelf shows of
// it, kept with the size and time of change of the file it was found for.
struct ShelfEntry
{
    QString path;                   // absolute
    std::optional<BytePos> place;   // where reading stands; none before it is known
    QDateTime lastRead;             // invalid when never read
    // Found from the file and the chapter cache; valid while the file's size and time are these.
    qint64 size = -1;
    qint64 modified = 0;
    QString encoding;               // the encoding's name; empty until looked at
    int chapters = -1;              // -1 until the table of contents is known
    QString chapter;                // the title of the chapter that holds the place
    // Not kept: whether the file is at `path` now.
    bool present = true;

    // The file name without its extension.
    QString title() const;
    // Whether what is kept of the file still describes it (same size and time of change).
    bool detailsCurrent(qint64 nowSize, qint64 nowModified) const
    {
        return !encoding.isEmpty() && size == nowSize && modified == nowModified;
    }
};
