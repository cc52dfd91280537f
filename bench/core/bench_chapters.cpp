// Prints how long the chapter scan of a 100 MB novel takes against plainly reading the same file,
// and how long a second open takes from the kept table. The novel is the corpus's 西游记 repeated
// (about 7000 headings); it goes to a temporary folder that is removed at the end.
#include "ChapterCache.h"
#include "ChapterScan.h"
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kNovelBytes = 100 * kMiB;

double SecondsFor(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The fastest of a few runs, so that one disturbance on a shared machine does not count.
double BestSecondsFor(int runs, const std::function<void()> &work)
{
    double best = 1e9;
    for (int run = 0; run < runs; ++run)
        best = std::min(best, SecondsFor(work));
    return best;
}

qint64 ReadWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QByteArray chunk(512 * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 read; (read = file.read(chunk.data(), chunk.size())) > 0;)
        total += read;
    return total;
}

}

int main()
{
    QFile source(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"));
    if (!source.open(QIODevice::ReadOnly))
        return std::puts("the corpus is absent: no novel to scan"), 0;
    const QByteArray novel = source.readAll() + '\n';
    QTemporaryDir dir;
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toUtf8());
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    {
        QFile big(path);
        if (!big.open(QIODevice::WriteOnly))
            return std::puts("cannot write the novel"), 1;
        for (qint64 written = 0; written < kNovelBytes; written += novel.size())
            big.write(novel);
    }
    ReadWhole(path); // into the page cache
    int chapters = 0;
    qint64 bytes = 0;
    // Reads and scans take turns, so that both meet the same load of the machine.
    double read = 1e9;
    double scan = 1e9;
    for (int run = 0; run < 15; ++run) {
        read = std::min(read, SecondsFor([&] { bytes = ReadWhole(path); }));
        scan = std::min(scan, SecondsFor([&] { chapters = ScanChapters(path)->size(); }));
    }
    std::printf("novel: %.1f MB, %d headings\n", double(bytes) / 1e6, chapters);
    std::printf("read: %.1f ms  scan: %.1f ms  scan / read: %.2f (goal: at most 1.5)\n", read * 1e3, scan * 1e3,
                scan / read);
    LoadOrScanChapters(path);
    const double kept = BestSecondsFor(7, [&] { LoadOrScanChapters(path); });
    std::printf("second open from the kept table: %.2f ms (%.3f of the scan)\n", kept * 1e3, kept / scan);
    return 0;
}
