#include "ChapterScan.h"
#include "EncodingDetection.h"
#include "HeadingScanner.h"
#include <QFile>

namespace {

// The file is read in blocks that stay in the processor's cache while the scanner looks at them:
// finding the line feeds of a block just read costs little beside reading it, where a mapped file
// costs a page fault for every few pages and a pass over memory. An even number, so that no UTF-16
// line feed is split; the cancel flag is looked at between blocks.
constexpr qint64 kBlockBytes = 256 * 1024;

bool Cancelled(const std::atomic_bool *cancelled)
{
    return cancelled && cancelled->load();
}

bool ScanRead(QFile &file, HeadingScanner &scanner, const std::atomic_bool *cancelled)
{
    QByteArray block(kBlockBytes, Qt::Uninitialized);
    while (!Cancelled(cancelled)) {
        const qint64 read = file.read(block.data(), block.size());
        if (read <= 0)
            return read == 0;
        scanner.Feed(block.constData(), read);
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
    if (!ScanRead(file, scanner, cancelled))
        return std::nullopt;
    if (Cancelled(cancelled))
        return std::nullopt;
    return scanner.Finish();
}
