#pragma once
#include "ShelfEntry.h"
#include <atomic>

// What the shelf shows of a novel, found from its file's size and time, its first bytes, its side
// files and the kept table of contents: drawing the shelf never reads a novel in full.
namespace ShelfDetails {

// Brings `entry` up to date with its file: whether it is there and, when the file changed since
// they were found, its encoding (the one chosen, or the one its kept table was read in), its
// chapter count and the chapter of its place (from the chapter cache), and its place when none is
// known yet (the ".find" text at the position the settings keep). True when something is still
// missing that only a read of the novel finds (Complete).
bool Refresh(ShelfEntry &entry);
// What Refresh could not find: the encoding its bytes show, the table of contents scanned (and
// kept in the cache), and the place found from the ".find" text. Reads the novel: meant for a
// worker thread. Setting `cancelled` ends the scan early; the entry then comes back without it.
ShelfEntry Complete(ShelfEntry entry, const std::atomic_bool *cancelled = nullptr);

// The share of the novel before its place, 0 to 1 (0 when the place is not known).
double ShareRead(const ShelfEntry &entry);
// The listening time left, in seconds, at `bytesPerSecond`.
qint64 SecondsLeft(const ShelfEntry &entry, double bytesPerSecond);

}
