#include "ChapterScan.h"
#include "EncodingDetection.h"
#include "HeadingScanner.h"
#include <QFile>

namespace {

// How much of the file is scanned between two looks at the cancel flag (an even number, so that
// no UTF-16 line feed is split).
constexpr qint64 kSliceBytes = 4 * 1024 * 1024;

bool Cancelled(const std::atomic_bool *cancelled)
{
    return cancelled && cancelled->load();
}

// The scan over the file's pages as they lie in memory: no copy of the bytes, which would cost
// as much as the scan itself.
bool ScanMapped(QFile &file, HeadingScanner &scanner, const std::atomic_bool *cancelled)
{
    const qint64 size = file.size();
    uchar *map = size > 0 ? file.map(0, size) : nullptr;
    if (!map)
        return false;
    for (qint64 at = 0; at < size && !Cancelled(cancelled); at += kSliceBytes)
        scanner.Feed(reinterpret_cast<const char *>(map) + at, std::min(kSliceBytes, size - at));
    file.unmap(map);
    return true;
}

// The scan over bytes read chunk by chunk, for a file that cannot be mapped.
bool ScanRead(QFile &file, HeadingScanner &scanner, const std::atomic_bool *cancelled)
{
    QByteArray chunk(kSliceBytes, Qt::Uninitialized);
    while (!Cancelled(cancelled)) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read <= 0)
            return read == 0;
        scanner.Feed(chunk.constData(), read);
    }
    return true;
}

}

std::optional<ChapterList> ScanChapters(const QString &path, const std::atomic_bool *cancelled)
{
    return ScanChapters(Novel{path, DetectFileEncoding(path)}, cancelled);
}

std::optional<ChapterList> ScanChapters(const Novel &novel, const std::atomic_bool *cancelled)
{
    QFile file(novel.path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    HeadingScanner scanner(file.size(), novel.encoding);
    if (!ScanMapped(file, scanner, cancelled) && !ScanRead(file, scanner, cancelled))
        return std::nullopt;
    if (Cancelled(cancelled))
        return std::nullopt;
    return scanner.Finish();
}
