// Prints what the read-aloud window's search costs on a 100 MB novel: the time to find a text
// near the end with FindInTextFile beside reading the whole file and searching its bytes with
// memmem, and the peak memory of each beside the file's size. Each measurement runs in a child
// process of its own, so that its peak resident size is its own.
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
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr qint64 kTargetBytes = 100LL * 1024 * 1024;
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

bool MakeNovel(const QString &corpusFile, const QString &path)
{
    QFile in(corpusFile);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray novel = in.readAll();
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    while (out.size() < kTargetBytes - novel.size())
        out.write(novel);
    out.write(Gbk::fromUnicode(kNeedle));
    out.write(novel.left(4096)); // the text lies near the end, not at it
    return true;
}

bool ReadAllAndMemmem(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    const QByteArray needle = Gbk::fromUnicode(kNeedle);
    return memmem(bytes.constData(), size_t(bytes.size()), needle.constData(), size_t(needle.size())) != nullptr;
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
    const QString path = dir.filePath(QStringLiteral("novel100.txt"));
    if (!MakeNovel(corpus, path)) {
        std::fprintf(stderr, "cannot make the 100 MB novel from %s\n", qPrintable(corpus));
        return 1;
    }
    const qint64 size = QFileInfo(path).size();
    ReadAllAndMemmem(path); // the file now lies in the page cache for both measurements

    const Measure idle = InChild([] { return true; });
    const Measure find = Best([&] { return FindInTextFile(path, kNeedle).has_value(); }, 3);
    const Measure memmemRun = Best([&] { return ReadAllAndMemmem(path); }, 3);

    std::printf("file size                      %10.1f MiB\n", size / 1048576.0);
    std::printf("FindInTextFile                 %10.3f s   found: %s\n", find.seconds, find.found ? "yes" : "no");
    std::printf("read whole file + memmem       %10.3f s   found: %s\n", memmemRun.seconds, memmemRun.found ? "yes" : "no");
    std::printf("time ratio (search / memmem)   %10.2f\n", find.seconds / memmemRun.seconds);
    std::printf("peak RSS, idle child           %10.1f MiB\n", idle.peakKiB / 1024.0);
    std::printf("peak RSS, FindInTextFile       %10.1f MiB  (%.1f MiB above idle)\n", find.peakKiB / 1024.0,
                (find.peakKiB - idle.peakKiB) / 1024.0);
    std::printf("peak RSS, read + memmem        %10.1f MiB  (%.1f MiB above idle)\n", memmemRun.peakKiB / 1024.0,
                (memmemRun.peakKiB - idle.peakKiB) / 1024.0);
    // Rows of the table that scripts/bench.sh prints: figure, limit measured in this run, goal.
    std::printf("TABLE|Read-aloud find near the end of 100 MB / read + memmem|%.1f|%.1f|ms|2.00\n",
                find.seconds * 1000, memmemRun.seconds * 1000);
    std::printf("TABLE|Find peak memory above idle / file size|%.1f|%.1f|MiB|0.10\n",
                (find.peakKiB - idle.peakKiB) / 1024.0, size / 1048576.0);
    return find.found && memmemRun.found ? 0 : 1;
}
