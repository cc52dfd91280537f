// Prints what the read-aloud window's search costs on a 100 MB novel: the time to find a text
// near the end with FindInTextFile beside the least a search can cost (reading the file in
// blocks and searching each with memmem), and its peak memory beside the
// file's size and at three file sizes, which must not grow with the file. Each measurement runs
// in a child process of its own, so that its peak resident size is its own.
#include "BenchNovels.h"
#include "FindInTextFile.h"
#include "Gbk.h"
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr qint64 kMiB = 1024 * 1024;
const QString kNeedle = QStringLiteral("此句只在书末出现一次，用来量度查找的快慢。");

struct Measure
{
    double seconds = 0;
    long peakKiB = 0;
    bool found = false;
};

// Runs `work` in a child process; returns its wall time and peak resident size.
Measure InChild(const std::function<bool()> &work)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const auto start = std::chrono::steady_clock::now();
        const bool found = work();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const Measure m{seconds, 0, found};
        if (write(fds[1], &m, sizeof m) != sizeof m)
            _exit(1);
        _exit(0);
    }
    close(fds[1]);
    Measure m;
    if (read(fds[0], &m, sizeof m) != sizeof m)
        m = {};
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    m.peakKiB = usage.ru_maxrss;
    return m;
}

bool MakeNovel(const QString &corpusFile, const QString &path, qint64 targetBytes)
{
    QFile in(corpusFile);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray novel = in.readAll();
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    while (out.size() < targetBytes - novel.size())
        out.write(novel);
    out.write(Gbk::fromUnicode(kNeedle));
    out.write(novel.left(4096)); // the text lies near the end, not at it
    return true;
}

Measure Best(const std::function<bool()> &work, int runs)
{
    Measure best = InChild(work);
    for (int i = 1; i < runs; ++i) {
        const Measure m = InChild(work);
        if (m.seconds < best.seconds)
            best = m;
    }
    return best;
}
}

int main()
{
    const QString corpus = QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt");
    QTemporaryDir dir;
    const Measure idle = InChild([] { return true; });
    // Peak memory of the find in novels of three sizes; the middle one is timed as well.
    const qint64 sizes[] = {10 * kMiB, 100 * kMiB, 1000 * kMiB};
    double peakAboveIdle[3] = {};
    Measure find;
    Measure least;
    qint64 timedSize = 0;
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(QStringLiteral("novel%1.txt").arg(i));
        if (!MakeNovel(corpus, path, sizes[i])) {
            std::fprintf(stderr, "cannot make the novel from %s\n", qPrintable(corpus));
            return 1;
        }
        ReadAndMemmem(path, Gbk::fromUnicode(kNeedle)); // the file now lies in the page cache for every measurement
        const Measure run = Best([&] { return FindInTextFile(path, kNeedle).has_value(); }, i == 1 ? 3 : 1);
        peakAboveIdle[i] = (run.peakKiB - idle.peakKiB) / 1024.0;
        std::printf("%5lld MiB novel: FindInTextFile %8.3f s, found: %s, peak %.1f MiB above idle\n",
                    static_cast<long long>(sizes[i] / kMiB), run.seconds, run.found ? "yes" : "no", peakAboveIdle[i]);
        if (!run.found)
            return 1;
        if (i == 1) {
            find = run;
            least = Best([&] { return ReadAndMemmem(path, Gbk::fromUnicode(kNeedle)); }, 3);
            timedSize = QFileInfo(path).size();
            std::printf("      blocks + memmem %8.3f s, found: %s\n", least.seconds, least.found ? "yes" : "no");
        }
        QFile::remove(path);
    }
    // Rows of the table that scripts/bench.sh prints: figure, limit measured in this run, goal.
    std::printf("TABLE|Read-aloud find near the end of 100 MB / read in blocks + memmem|%.1f|%.1f|ms|2.00\n",
                find.seconds * 1000, least.seconds * 1000);
    std::printf("TABLE|Find peak memory above idle, 100 MB novel / file size|%.1f|%.1f|MiB|0.10\n",
                peakAboveIdle[1], timedSize / double(kMiB));
    std::printf("TABLE|Find peak memory above idle: 1000 MB novel / 10 MB novel|%.1f|%.1f|MiB|1.25\n",
                peakAboveIdle[2], peakAboveIdle[0]);
    return least.found ? 0 : 1;
}
