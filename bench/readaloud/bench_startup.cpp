// Prints what the read-aloud window's start-up costs on a 1 GB novel whose ".find" text lies at
// its end: the time until the window is shown, and until the piece at that text is current,
// beside reading the whole file and searching its bytes with memmem, in one run. The novel is
// made in a temporary folder and removed at the end. Run it with a display or
// QT_QPA_PLATFORM=offscreen.
#include "BenchNovels.h"
#include "FindInTextFile.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "TextBox.h"
#include "frmTTS.h"
#include "mdlIniFile.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr qint64 kTargetBytes = 1024LL * 1024 * 1024;
const QString kLast = QStringLiteral("此句只在书末出现一次，是上次读到的地方。");

struct Startup
{
    double shownMs = 0;
    double pieceMs = 0;
    bool found = false;
};

// A start of the window as the program makes it (no voice, which costs the same on any novel).
Startup StartWindow(const QTemporaryDir &dir)
{
    Startup result;
    QElapsedTimer timer;
    timer.start();
    frmTTS window;
    window.setInstanceLockPath(dir.filePath(QStringLiteral("instance.lock")));
    window.setVoiceFactory([] { return std::unique_ptr<SpeechVoice>(); });
    if (!window.Form_Load())
        return result;
    window.show();
    QCoreApplication::processEvents();
    result.shownMs = timer.nsecsElapsed() / 1e6;
    if (window.txtLangDu->Text().isEmpty()) {
        QEventLoop wait;
        QObject::connect(window.txtLangDu, &TextBox::Change, &wait, [&] {
            if (!window.txtLangDu->Text().isEmpty())
                wait.quit();
        });
        QTimer::singleShot(60000, &wait, &QEventLoop::quit);
        wait.exec();
    }
    result.pieceMs = timer.nsecsElapsed() / 1e6;
    result.found = window.txtLangDu->Text() == kLast.left(window.txtLangDu->Text().size())
        && !window.txtLangDu->Text().isEmpty();
    return result;
}

}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    // The novel needs 1 GB free, and room to spare; with less it is made smaller, and says so.
    const qint64 room = QStorageInfo(dir.path()).bytesAvailable();
    const qint64 size = std::min(kTargetBytes, room / 4);
    if (size < kTargetBytes)
        std::printf("only %.0f MB free: the novel is %.0f MB instead of 1 GB\n", room / 1e6, size / 1e6);
    SetProgramFolder(dir.path());
    const QString path = dir.filePath(QStringLiteral("novel.txt"));
    if (!MakeCorpusNovel(path, size, Gbk::fromUnicode(kLast))) {
        std::fprintf(stderr, "cannot make the novel from %s\n", TARROWIN_CORPUS_DIR);
        return 1;
    }
    QFile find(dir.filePath(QStringLiteral("novel.txt.find")));
    if (!find.open(QIODevice::WriteOnly) || find.write(Gbk::fromUnicode(kLast)) <= 0)
        return 1;
    find.close();
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("novel.txt"));

    const QByteArray needle = Gbk::fromUnicode(kLast);
    ReadAndMemmem(path, needle); // the file now lies in the page cache for both measurements
    std::vector<double> limits, searches, shown, pieces;
    bool found = true;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        found = ReadAndMemmem(path, needle) && found;
        limits.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        found = FindInTextFile(path, kLast).has_value() && found;
        searches.push_back(timer.nsecsElapsed() / 1e6);
        const Startup s = StartWindow(dir);
        found = s.found && found;
        shown.push_back(s.shownMs);
        pieces.push_back(s.pieceMs);
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("novel: %.1f MiB, the \".find\" text at its end; medians of 3\n", QFile(path).size() / 1048576.0);
    std::printf("  read + memmem of the file:      %9.1f ms\n", median(limits));
    std::printf("  the search alone:               %9.1f ms\n", median(searches));
    std::printf("  window shown:                   %9.1f ms\n", median(shown));
    std::printf("  window shown, piece current:    %9.1f ms  found: %s\n", median(pieces), found ? "yes" : "no");
    std::printf("TABLE|Start-up at the end of 1 GB: window shown / read + memmem|%.1f|%.1f|ms|1.50\n", median(shown),
                median(limits));
    std::printf("TABLE|Start-up at the end of 1 GB: piece current / read + memmem|%.1f|%.1f|ms|1.50\n",
                median(pieces), median(limits));
    return found ? 0 : 1;
}
