#pragma once
#include "ChapterList.h"
#include "Novel.h"
#include "GuardedMap.h"
#include <QString>
#include <atomic>
#include <optional>
#include <vector>

// Finds the table of contents of `novel` on its bytes, in its encoding. Lines are found on the
// bytes; only a line that starts (after blanks) with the first character of a heading is
// converted to text and given to the heading rule. A large file is scanned in stretches on
// threads of their own at once. A novel without headings gets twenty equal parts, each starting
// on a line where the file has one. nullopt when the file cannot be read, or when `cancelled` is
// set while the scan runs.
std::optional<ChapterList> ScanChapters(const Novel &novel, const std::atomic_bool *cancelled = nullptr);
// The same on the mapping of the novel's file. A file that shrinks while the mapping is read is
// read again as it is then, and that is scanned; a file that cannot be mapped is read.
std::optional<ChapterList> ScanMappedChapters(const Novel &novel, const GuardedMap &map,
                                              const std::atomic_bool *cancelled = nullptr);
// The same for the file at `path`, in the encoding its bytes show.
std::optional<ChapterList> ScanChapters(const QString &path, const std::atomic_bool *cancelled = nullptr);

// The table of contents of a file's `size` bytes in `encoding`, scanned as stretches that end at
// `splits` (rising offsets inside the file), each on a thread of its own. The table is the same
// wherever the splits lie.
std::optional<ChapterList> ScanChapterBytes(const char *bytes, qint64 size, TextEncoding encoding,
                                            const std::vector<qint64> &splits,
                                            const std::atomic_bool *cancelled = nullptr);
