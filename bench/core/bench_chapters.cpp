// Prints how long the chapter scan of a 100 MB novel takes against plainly reading the same file,
// in several encodings, and how long a second open takes from the kept table. The scan runs as the
// program runs it (on two threads where the processor has two cores) and on one thread; beside
// the time on the clock, which the user waits for, the processor time of all threads together. Each novel is the
// corpus's 西游记 repeated (about 7000 headings) in one encoding; it goes to a temporary folder
// that is removed at the end. The encoding is given, as the windows give it: it was found when
// the novel was opened. Beside them, the least any scan costs: mapping the file and finding its
// line feeds, with nothing done at the lines.
#include "ChapterCache.h"
#include "ChapterScan.h"
#include "TextCodec.h"
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>

namespace {

constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kNovelBytes = 100 * kMiB;
// Reads and scans take turns this many times; the fastest of each counts, so that one
// disturbance on a shared machine does not.
constexpr int kRuns = 15;

double SecondsFor(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double ProcessorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The time `work` takes on the clock and the processor time the program's threads spend on it (their
// own and the system's on their behalf): on a machine that other programs share, the second varies
// less.
struct Times
{
    double wall = 1e9;
    double processor = 1e9;
    void Keep(const std::function<void()> &work)
    {
        const double start = ProcessorSeconds();
        wall = std::min(wall, SecondsFor(work));
        processor = std::min(processor, ProcessorSeconds() - start);
    }
};

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

qint64 CountLineFeeds(const QString &path)
{
    QFile file(path);
    const uchar *map = file.open(QIODevice::ReadOnly) ? file.map(0, file.size()) : nullptr;
    if (!map)
        return -1;
    qint64 lines = 0;
    const auto *end = reinterpret_cast<const char *>(map) + file.size();
    for (const char *at = reinterpret_cast<const char *>(map);
         (at = static_cast<const char *>(std::memchr(at, '\n', size_t(end - at)))); ++at)
        ++lines;
    return lines;
}

// The scan on the calling thread alone.
int ScanOnOneThread(const Novel &novel)
{
    QFile file(novel.path);
    const uchar *map = file.open(QIODevice::ReadOnly) ? file.map(0, file.size()) : nullptr;
    if (!map)
        return -1;
    return ScanChapterBytes(reinterpret_cast<const char *>(map), file.size(), novel.encoding, {})->size();
}

bool WriteRepeated(const QString &path, const QByteArray &text)
{
    QFile big(path);
    if (!big.open(QIODevice::WriteOnly))
        return false;
    for (qint64 written = 0; written < kNovelBytes; written += text.size()) {
        if (big.write(text) != text.size())
            return false;
    }
    return true;
}

// The scan of `novel` against reading it, both in the same run.
void Measure(const char *name, const Novel &novel)
{
    ReadWhole(novel.path); // into the page cache
    int chapters = 0;
    qint64 bytes = 0;
    qint64 lines = 0;
    Times read;
    Times scan;
    Times oneThread;
    Times lineFeeds;
    for (int run = 0; run < kRuns; ++run) {
        read.Keep([&] { bytes = ReadWhole(novel.path); });
        scan.Keep([&] { chapters = ScanChapters(novel)->size(); });
        oneThread.Keep([&] { ScanOnOneThread(novel); });
        lineFeeds.Keep([&] { lines = CountLineFeeds(novel.path); });
    }
    std::printf("%-8s %.1f MB, %lld bytes 10, %d headings\n", name, double(bytes) / 1e6, static_cast<long long>(lines),
                chapters);
    std::printf("  clock:     read %6.1f ms  scan %6.1f ms  scan / read: %.2f (goal: at most 1.5)\n", read.wall * 1e3,
                scan.wall * 1e3, scan.wall / read.wall);
    std::printf("  processor: read %6.1f ms  scan %6.1f ms  scan / read: %.2f (all threads together)\n",
                read.processor * 1e3, scan.processor * 1e3, scan.processor / read.processor);
    std::printf("  one thread: clock %6.1f ms, processor %6.1f ms: %.2f and %.2f of the read\n", oneThread.wall * 1e3,
                oneThread.processor * 1e3, oneThread.wall / read.wall, oneThread.processor / read.processor);
    std::printf("  line feeds alone: clock %.2f, processor %.2f of the read\n", lineFeeds.wall / read.wall,
                lineFeeds.processor / read.processor);
    std::printf("TABLE|Chapter scan of %.0f MB %s / reading it (clock)|%.1f|%.1f|ms|1.50\n", double(bytes) / 1e6,
                name, scan.wall * 1e3, read.wall * 1e3);
}

}

int main()
{
    QFile source(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"));
    if (!source.open(QIODevice::ReadOnly))
        return std::puts("the corpus is absent: no novel to scan"), 0;
    const QByteArray gbk = source.readAll() + '\n';
    const QString text = TextCodec::Decode(TextEncoding::Gbk, gbk);
    QTemporaryDir dir;
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toUtf8());
    const struct
    {
        const char *name;
        TextEncoding encoding;
    } encodings[] = {{"GBK", TextEncoding::Gbk}, {"UTF-8", TextEncoding::Utf8}, {"UTF-16LE", TextEncoding::Utf16Le}};
    for (const auto &[name, encoding] : encodings) {
        const Novel novel{dir.filePath(QString::fromLatin1(name) + QStringLiteral(".txt")), encoding};
        if (!WriteRepeated(novel.path, encoding == TextEncoding::Gbk ? gbk : TextCodec::Encode(encoding, text)))
            return std::puts("cannot write the novel"), 1;
        Measure(name, novel);
        if (encoding != TextEncoding::Gbk)
            QFile::remove(novel.path);
    }
    const Novel gbkNovel{dir.filePath(QStringLiteral("GBK.txt")), TextEncoding::Gbk};
    const double scan = BestSecondsFor(3, [&] { ScanChapters(gbkNovel); });
    LoadOrScanChapters(gbkNovel);
    const double kept = BestSecondsFor(7, [&] { LoadOrScanChapters(gbkNovel); });
    std::printf("second open from the kept table: %.2f ms (%.3f of the scan)\n", kept * 1e3, kept / scan);
    return 0;
}
