// The CPU time "边听边看" adds: the read-aloud window reads a novel with the espeak-ng voice for a
// while alone, then as long again with the reader following the voice (page of the word heard
// shown, the word marked, pages turned by themselves). Both in one process and one run, so the
// ratio compares like with like. The voice plays to the silent output, which keeps real time.
// Run with a display or QT_QPA_PLATFORM=offscreen; the first argument is the seconds of each
// half (60 when absent).
#include "EspeakVoice.h"
#include "ProgramFolder.h"
#include "TextBox.h"
#include "frmRead.h"
#include "frmTTS.h"
#include <QApplication>
#include <QFile>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RunEventsFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The CPU seconds of the whole process (voice thread included) over `seconds` of the event loop.
double CpuOver(int seconds)
{
    const double before = CpuSeconds();
    RunEventsFor(seconds * 1000);
    return CpuSeconds() - before;
}

}

int main(int argc, char *argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    const QString novel = dir.filePath(QStringLiteral("xiyouji.txt"));
    if (!QFile::copy(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"), novel)) {
        std::fprintf(stderr, "corpus absent: %s\n", TARROWIN_CORPUS_DIR);
        return 1;
    }

    frmTTS tts;
    tts.setInstanceLockPath(dir.filePath(QStringLiteral("instance.lock")));
    tts.setVoiceFactory([] { return std::make_unique<EspeakVoice>(SpeechSettings(), EspeakVoice::Output::Silent); });
    tts.setReaderFactory([](frmTTS *t) -> QWidget * { return new frmRead(t); });
    if (!tts.Form_Load() || !tts.OpenNovel(novel)) {
        std::fprintf(stderr, "the read-aloud window did not open %s\n", qPrintable(novel));
        return 1;
    }
    tts.show();
    long words = 0;
    QObject::connect(tts.events(), &ReadAloudEvents::wordHeard, &tts, [&words] { ++words; });

    tts.cmdSpeak_Click(0);
    RunEventsFor(2000); // the voice started and into its stride
    words = 0;
    const double alone = CpuOver(seconds);
    const long wordsAlone = words;

    // Opening the reader (window, first page, table of contents) is paid once, not while following.
    const double openingBefore = CpuSeconds();
    tts.cmdBianTingBianKan_Click();
    auto *reader = static_cast<frmRead *>(tts.readerWindow());
    RunEventsFor(2000);
    const double opening = CpuSeconds() - openingBefore;
    long pages = 0;
    QObject::connect(reader->txtTarrowin, &TextBox::Change, reader, [&pages] { ++pages; });
    words = 0;
    const double following = CpuOver(seconds);
    const bool stillFollowing = reader->Following();
    tts.close();

    std::printf("reading aloud alone: %.3f s CPU over %d s, %ld words heard\n", alone, seconds, wordsAlone);
    std::printf("opening the reader beside the voice, and 2 s after: %.3f s CPU\n", opening);
    std::printf("following the voice: %.3f s CPU over %d s, %ld words heard, %ld pages shown%s\n", following,
                seconds, words, pages, stillFollowing ? "" : " (following had stopped!)");
    std::printf("following / alone: %.2f; pages shown per word heard: %.3f\n", alone > 0 ? following / alone : 0.0,
                words > 0 ? double(pages) / words : 0.0);
    // A row of the table that scripts/bench.sh prints.
    std::printf("TABLE|CPU over %d s following the voice / reading aloud alone|%.3f|%.3f|s|1.25\n", seconds,
                following, alone);
    return 0;
}
