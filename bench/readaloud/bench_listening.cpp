// Prints the resident memory of reading aloud a 1 GB novel beside a 1 MB one: each novel is read
// from its middle by a reading session with the espeak-ng voice (silent output, which keeps real
// time) for the same minutes, in two child processes side by side, so that both meet the same
// machine. The first argument, or else $TARROWIN_LISTEN_SECONDS, is the seconds of listening
// (600 when neither is given).
#include "BenchNovels.h"
#include "EspeakVoice.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "ReadingSession.h"
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr qint64 kMiB = 1024 * 1024;

// In a child: reads the novel aloud from its middle for `seconds`; exits 0 when words were
// heard.
pid_t ListenInChild(const QString &folder, const QString &name, qint64 size, int seconds)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    int argc = 1;
    char program[] = "bench_listening";
    char *argv[] = {program, nullptr};
    QCoreApplication app(argc, argv);
    SetProgramFolder(folder);
    ReadingSession session;
    session.setVoice(std::make_unique<EspeakVoice>(SpeechSettings(), EspeakVoice::Output::Silent));
    session.setPieceLength(1000);
    session.open(name);
    session.moveTo(BytePos(size / 2));
    int words = 0;
    QObject::connect(&session, &ReadingSession::wordHeard, [&] { ++words; });
    session.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    std::fflush(stdout);
    _exit(words > 0 ? 0 : 1);
}

// The child's peak resident size in MiB, or a negative number when it failed.
double PeakOf(pid_t pid)
{
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss / 1024.0;
}
}

int main(int argc, char **argv)
{
    const QByteArray fromEnvironment = qgetenv("TARROWIN_LISTEN_SECONDS");
    const int seconds = argc > 1 ? std::atoi(argv[1]) : fromEnvironment.isEmpty() ? 600 : fromEnvironment.toInt();
    QTemporaryDir dir;
    const qint64 large = 1024 * kMiB;
    const qint64 small = kMiB;
    if (!MakeCorpusNovel(dir.filePath(QStringLiteral("large.txt")), large)
        || !MakeCorpusNovel(dir.filePath(QStringLiteral("small.txt")), small)) {
        std::fprintf(stderr, "cannot make the novels in %s\n", qPrintable(dir.path()));
        return 1;
    }
    const pid_t largeChild = ListenInChild(dir.path(), QStringLiteral("large.txt"), large, seconds);
    const pid_t smallChild = ListenInChild(dir.path(), QStringLiteral("small.txt"), small, seconds);
    const double largePeak = PeakOf(largeChild);
    const double smallPeak = PeakOf(smallChild);
    std::printf("peak resident size over %d s of listening: 1 GB novel %.1f MiB, 1 MB novel %.1f MiB\n",
                seconds, largePeak, smallPeak);
    if (largePeak < 0 || smallPeak < 0)
        return 1;
    std::printf("TABLE|Resident size over %d s reading aloud: 1 GB novel / 1 MB novel|%.1f|%.1f|MiB|1.20\n",
                seconds, largePeak, smallPeak);
    return 0;
}
