#pragma once
#include "ChapterList.h"
#include "Novel.h"
#include <QString>
#include <atomic>
#include <optional>

// Finds the table of contents of `novel` in one pass over its bytes, in its encoding. Lines are found
// on the bytes; only a line that starts (after blanks) with the first character of a heading is
// converted to text and given to the heading rule. A novel without headings gets twenty equal
// parts, each starting on a line where the file has one. nullopt when the file cannot be read,
// or when `cancelled` is set while the scan runs.
std::optional<ChapterList> ScanChapters(const Novel &novel, const std::atomic_bool *cancelled = nullptr);
// The same for the file at `path`, in the encoding its bytes show.
std::optional<ChapterList> ScanChapters(const QString &path, const std::atomic_bool *cancelled = nullptr);
