#pragma once
#include "ChapterList.h"
#include "Novel.h"
#include <QString>
#include <optional>

// What a kept table of contents is kept for: the novel's full path, byte size and modification
// time (milliseconds since the epoch), and the encoding it was read in. A table kept for other
// values is not used.
struct FileStamp
{
    QString path;
    qint64 size = -1;
    qint64 modified = 0;
    TextEncoding encoding = TextEncoding::Gbk;

    // The stamp of the novel's file as it is now (size -1 for a missing file).
    static FileStamp Of(const Novel &novel);
    friend bool operator==(const FileStamp &a, const FileStamp &b)
    {
        return a.path == b.path && a.size == b.size && a.modified == b.modified && a.encoding == b.encoding;
    }
    friend bool operator!=(const FileStamp &a, const FileStamp &b) { return !(a == b); }
};

// Tables of contents kept per novel in "$XDG_CACHE_HOME/tarrowin/", one file per novel named by
// a hash of its full path, so that a second open of a novel costs no scan.
namespace ChapterCache {

// The file that keeps the table of contents of the novel at `path`.
QString CacheFilePath(const QString &path);

// The kept table when it was kept for exactly `stamp`; nothing when there is none, it was kept
// for another size or time, or the cache file is damaged in any way.
std::optional<ChapterList> Load(const FileStamp &stamp);

// The encoding of the table kept for the novel's file as `stamp` gives it (its path, size and
// time of change; its encoding is not looked at): the one the novel was last read in, found
// without reading the novel. Nothing when no table is kept for that file as it is now.
std::optional<TextEncoding> KeptEncoding(const FileStamp &stamp);

// Keeps `chapters` for `stamp`, replacing the file whole; false when it cannot be written.
bool Save(const FileStamp &stamp, const ChapterList &chapters);

}

// The table of contents of `novel`: kept, or scanned and then kept. nullopt when the file cannot
// be read or `cancelled` is set.
std::optional<ChapterList> LoadOrScanChapters(const Novel &novel, const std::atomic_bool *cancelled = nullptr);
// The same for the file at `path`, in the encoding its bytes show.
std::optional<ChapterList> LoadOrScanChapters(const QString &path, const std::atomic_bool *cancelled = nullptr);
