// Prints how long a shelf of 500 novels takes to be listed and drawn, against the second the
// listener may wait for it. The novels are generated (chapter headings and text, about 100 KB
// each) in four encodings into a temporary folder that is removed at the end. The first listing
// scans every novel's chapters and is shown for comparison; the ones measured come after it, as
// every later opening of the shelf does: from the shelf file, and from the kept tables of
// contents alone (a shelf file that holds only the paths), and with no table kept at all.
#include "Shelf.h"
#include "ShelfDialog.h"
#include "ShelfModel.h"
#include "TextCodec.h"
#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <utility>

namespace {

constexpr int kNovels = 500;
constexpr int kChapters = 40;
constexpr int kRuns = 5;
const TextEncoding kEncodings[] = {TextEncoding::Gbk, TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Big5};

QString NovelText(int novel)
{
    const QString sentence = QStringLiteral("他走过山前的小路，看见河水向东流去，心里想着明天的事。");
    QString text;
    for (int chapter = 1; chapter <= kChapters; ++chapter) {
        text += QStringLiteral("第%1章 第%2本书的一段路\n").arg(chapter).arg(novel);
        for (int line = 0; line < 20; ++line)
            text += QStringLiteral("　　") + sentence + sentence + QLatin1Char('\n');
    }
    return text;
}

bool WriteNovels(const QString &folder)
{
    for (int novel = 0; novel < kNovels; ++novel) {
        const TextEncoding encoding = kEncodings[novel % std::size(kEncodings)];
        QFile file(QStringLiteral("%1/novel%2-%3.txt").arg(folder).arg(novel).arg(EncodingName(encoding)));
        if (!file.open(QIODevice::WriteOnly) || file.write(TextCodec::Encode(encoding, NovelText(novel))) < 0)
            return false;
    }
    return true;
}

// The shelf loaded from a copy of `file`, listed cell by cell, and its window drawn: the fastest of
// kRuns, in milliseconds (the work left to the background after the drawing is not counted), and
// the rows listed.
std::pair<double, int> ListAndDraw(const QString &file)
{
    double best = 1e9;
    int rows = 0;
    for (int run = 0; run < kRuns; ++run) {
        const QString copy = file + QStringLiteral(".copy");
        QFile::remove(copy);
        QFile::copy(file, copy);
        const auto start = std::chrono::steady_clock::now();
        Shelf shelf(copy);
        shelf.load();
        ShelfModel model(&shelf);
        rows = int(ShelfListing(model).count(QLatin1Char('\n'))) - 1;
        ShelfDialog dialog(&shelf, QStringLiteral("voice"));
        dialog.grab();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return {best, rows};
}

}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("novels"));
    QDir().mkpath(folder);
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    if (!WriteNovels(folder))
        return 1;
    const QString shelfFile = dir.filePath(QStringLiteral("shelf.json"));
    const QString pathsOnly = dir.filePath(QStringLiteral("paths.json"));

    const auto first = std::chrono::steady_clock::now();
    {
        Shelf shelf(shelfFile);
        shelf.load();
        shelf.addFolder(folder);
        shelf.waitForDetails();
        shelf.save();
        ShelfData paths;
        for (const ShelfEntry &entry : shelf.entries()) {
            ShelfEntry pathOnly;
            pathOnly.path = entry.path;
            paths.novels << pathOnly;
        }
        ShelfFile::Save(paths, pathsOnly);
    }
    const double firstMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - first).count();

    const auto [fromShelfFile, listed] = ListAndDraw(shelfFile);
    const auto [fromCache, fromCacheListed] = ListAndDraw(pathsOnly);
    // No table kept: the rows are drawn at once, their chapters filled in behind.
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("empty-cache")).toLocal8Bit());
    const auto [uncached, uncachedListed] = ListAndDraw(pathsOnly);
    std::printf("%d novels in %zu encodings, %d chapters each\n", kNovels, std::size(kEncodings), kChapters);
    std::printf("  first listing, every table of contents scanned: %9.1f ms\n", firstMs);
    std::printf("  listed and drawn from the shelf file:           %9.1f ms (%d rows)\n", fromShelfFile, listed);
    std::printf("  listed and drawn from the kept tables:          %9.1f ms (%d rows)\n", fromCache, fromCacheListed);
    std::printf("  drawn with no table kept (filled in behind):    %9.1f ms (%d rows)\n", uncached, uncachedListed);
    std::printf("TABLE|Shelf of %d novels listed and drawn from its file / 1 s|%.1f|1000|ms|1.00\n", kNovels, fromShelfFile);
    std::printf("TABLE|Shelf of %d novels listed and drawn from the kept tables of contents / 1 s|%.1f|1000|ms|1.00\n",
                kNovels, fromCache);
    std::printf("TABLE|Shelf of %d novels never opened drawn (chapters filled in behind) / 1 s|%.1f|1000|ms|1.00\n",
                kNovels, uncached);
    return listed == kNovels && fromCacheListed == kNovels && uncachedListed == kNovels ? 0 : 1;
}
