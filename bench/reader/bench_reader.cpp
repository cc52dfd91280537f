// Page turns and find on a 100 MB novel (the corpus repeated), beside what they are made of:
// the median forward and backward turn against one layout of the page box, and the find against
// reading the file and searching its bytes. Prints its figures; run it with a display or
// QT_QPA_PLATFORM=offscreen.
#include "BoxMeasure.h"
#include "ChunkSize.h"
#include "CountingMeasure.h"
#include "FindInTextFile.h"
#include "Gbk.h"
#include "PageEngine.h"
#include "TextBox.h"
#include "mdlFileBinText.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

constexpr qint64 TargetBytes = 100LL * 1024 * 1024;

// One row of the table that scripts/bench.sh prints: a figure, its limit measured in the same
// run, and the greatest ratio between them that the goal allows.
void PrintTableRow(const QByteArray &what, double figure, double limit, const char *unit, double goal)
{
    std::printf("TABLE|%s|%.1f|%.1f|%s|%.2f\n", what.constData(), figure, limit, unit, goal);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Median times in microseconds of `runs` calls of each of `works`, the calls of one run made one
// after the other, so that a machine busier at one moment weighs on every figure alike.
std::vector<double> InterleavedMedianMicros(int runs, const std::vector<std::function<void(int)>> &works)
{
    std::vector<std::vector<double>> times(works.size());
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        for (size_t w = 0; w < works.size(); ++w) {
            timer.start();
            works[w](i);
            times[w].push_back(timer.nsecsElapsed() / 1000.0);
        }
    }
    std::vector<double> medians;
    for (std::vector<double> &one : times)
        medians.push_back(Median(std::move(one)));
    return medians;
}

// Median time in microseconds of `runs` calls of `work`.
double MedianMicros(int runs, const std::function<void(int)> &work)
{
    return InterleavedMedianMicros(runs, {work}).front();
}

// Found only at the very end of the novel, so that a find reads the whole file.
QString LastSentence()
{
    return QStringLiteral("全书至此终了，这一句话只在文件的末尾出现一次。");
}

QByteArray MakeNovel(const QString &path)
{
    QFile source(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    const QByteArray once = source.readAll() + "\n";
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return {};
    while (out.size() < TargetBytes)
        out.write(once);
    out.write(Gbk::fromUnicode(LastSentence()));
    return once;
}

// A font the page box is measured in.
struct BoxFont
{
    const char *family;
    qreal points;
};
constexpr BoxFont Kai{"AR PL UKai CN", 22};

// Gives the page box its font and size, and returns the measure that answers as it does.
TextLayoutMeasure SetUpBox(TextBox &box, QSize boxSize, BoxFont boxFont = Kai)
{
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font(QString::fromLatin1(boxFont.family));
    font.setPointSizeF(boxFont.points);
    box.setFont(font);
    box.resize(boxSize);
    return TextLayoutMeasure(MeasureBoxOf(box));
}

// The process's resident size now, in KiB.
double ResidentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1024 : 0;
}

// The resident size after turning 1000 pages of the novel at `path`: 500 forward from its middle,
// then 500 back.
double ResidentAfterTurns(const QString &path, QSize boxSize)
{
    TextBox box;
    TextLayoutMeasure layout = SetUpBox(box, boxSize);
    const qint64 chunkSize = ChunkSize::Measure(layout);
    BytePos position(QFile(path).size() / 2);
    QString page;
    // A measure for each turn, as the window makes.
    for (int i = 0; i < 500; ++i) {
        TextLayoutMeasure measure(layout.box());
        page = PageEngine::NextPage(measure, path, position, chunkSize);
    }
    for (int i = 0; i < 500; ++i) {
        TextLayoutMeasure measure(layout.box());
        page = PageEngine::PrevPage(measure, path, position, chunkSize, page);
    }
    return ResidentKiB();
}

// Resident size turning pages in a 1 GB novel beside that in a 1 MB one, in one process: the
// small novel first, so that whatever the turns allocate once is counted on both sides.
void MemoryFigures(const QTemporaryDir &dir, const QByteArray &once, QSize boxSize)
{
    const QString small = dir.filePath(QStringLiteral("small.txt"));
    const QString large = dir.filePath(QStringLiteral("large.txt"));
    QFile smallFile(small);
    QFile largeFile(large);
    if (!smallFile.open(QIODevice::WriteOnly) || !largeFile.open(QIODevice::WriteOnly))
        return;
    smallFile.write(once.left(1 << 20));
    while (largeFile.size() < (1LL << 30))
        largeFile.write(once);
    smallFile.close();
    largeFile.close();
    const double smallKiB = ResidentAfterTurns(small, boxSize);
    const double largeKiB = ResidentAfterTurns(large, boxSize);
    QFile::remove(large);
    std::printf("resident size after 1000 page turns: 1 MB novel %.1f MiB, 1 GB novel %.1f MiB\n",
                smallKiB / 1024, largeKiB / 1024);
    PrintTableRow("Resident size turning 1000 pages: 1 GB novel / 1 MB novel", largeKiB / 1024,
                  smallKiB / 1024, "MiB", 1.2);
}

// The turn figures for one page box size.
void TurnFigures(const QString &path, qint64 fileSize, QSize boxSize, BoxFont boxFont = Kai)
{
    TextBox box;
    TextLayoutMeasure layout = SetUpBox(box, boxSize, boxFont);
    const qint64 chunkSize = ChunkSize::Measure(layout);

    QRandomGenerator random(7);
    const int runs = 300;
    std::vector<qint64> starts;
    for (int i = 0; i < runs; ++i)
        starts.push_back(1 + qint64(random.bounded(quint64(fileSize - 4 * chunkSize))));

    // One layout of the page box: a page that fills it, laid out whole by a measure of its own,
    // as each turn below makes its own, like the window's turns (a measure keeps what it laid out).
    std::vector<QString> pages;
    for (qint64 start : starts) {
        BytePos at(start);
        pages.push_back(PageEngine::NextPage(layout, path, at, chunkSize));
    }
    // Backward from a page shown at each start (found first, outside the timing).
    std::vector<QString> shown;
    std::vector<qint64> ends;
    for (qint64 start : starts) {
        BytePos position(start + 2 * chunkSize);
        shown.push_back(PageEngine::NextPage(layout, path, position, chunkSize));
        ends.push_back(position.value());
    }

    long forwardQuestions = 0;
    long backwardQuestions = 0;
    const std::vector<double> medians = InterleavedMedianMicros(runs, {
        [&](int i) { TextLayoutMeasure(layout.box()).Overflows(pages[i]); },
        [&](int i) {
            box.setText(pages[i]);
            box.NeedsMoreLines();
        },
        [&](int i) {
            TextLayoutMeasure fresh(layout.box());
            CountingMeasure measure(fresh);
            BytePos position(starts[i]);
            PageEngine::NextPage(measure, path, position, chunkSize);
            forwardQuestions += measure.questions();
        },
        [&](int i) {
            TextLayoutMeasure fresh(layout.box());
            CountingMeasure measure(fresh);
            BytePos position(ends[i]);
            PageEngine::PrevPage(measure, path, position, chunkSize, shown[i]);
            backwardQuestions += measure.questions();
        },
    });
    const double oneLayout = medians[0];
    const double boxLayout = medians[1];
    const double forward = medians[2];
    const double backward = medians[3];

    std::printf("page box %d x %d px, %s %.1f pt, chunk %lld bytes\n", boxSize.width(), boxSize.height(),
                boxFont.family, boxFont.points,
                static_cast<long long>(chunkSize));
    std::printf("  one layout of a full page (layout measure): %8.1f us\n", oneLayout);
    std::printf("  one layout of a full page (text box):       %8.1f us\n", boxLayout);
    std::printf("  forward turn, median:  %8.1f us = %.2f layouts (%.1f questions a turn)\n", forward,
                forward / oneLayout, double(forwardQuestions) / runs);
    std::printf("  backward turn, median: %8.1f us = %.2f layouts (%.1f questions a turn)\n", backward,
                backward / oneLayout, double(backwardQuestions) / runs);
    const QByteArray boxName = QStringLiteral("%1x%2 box, %3 %4 pt")
                                   .arg(boxSize.width())
                                   .arg(boxSize.height())
                                   .arg(QString::fromLatin1(boxFont.family))
                                   .arg(boxFont.points)
                                   .toUtf8();
    PrintTableRow(boxName + ": forward page turn / one layout of the page", forward, oneLayout, "us", 3);
    PrintTableRow(boxName + ": backward page turn / one layout of the page", backward, oneLayout, "us", 3);
}

}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("novel.txt"));
    const QByteArray once = MakeNovel(path);
    if (once.isEmpty()) {
        std::fprintf(stderr, "corpus absent: %s\n", TARROWIN_CORPUS_DIR);
        return 1;
    }
    MemoryFigures(dir, once, QSize(1000, 700));
    const qint64 fileSize = QFile(path).size();
    std::printf("file: %.1f MB (xiyouji.txt repeated)\n", fileSize / 1048576.0);
    TurnFigures(path, fileSize, QSize(327, 288)); // the design text area
    TurnFigures(path, fileSize, QSize(1000, 700));
    const BoxFont sans{"Noto Sans CJK SC", 10.5};
    TurnFigures(path, fileSize, QSize(327, 288), sans);
    TurnFigures(path, fileSize, QSize(1000, 700), sans);

    // Find: a text found only at the end of the file, against reading and searching bytes.
    const QString needle = LastSentence();
    const QByteArray needleBytes = Gbk::fromUnicode(needle);
    const double find = MedianMicros(3, [&](int) { FindInTextFile(path, needle); });
    const double rawSearch = MedianMicros(3, [&](int) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            file.readAll().indexOf(needleBytes);
    });

    std::printf("find at the end, median of 3:      %9.1f ms\n", find / 1000);
    std::printf("read file + search bytes:          %9.1f ms  ratio find / raw %.2f\n", rawSearch / 1000, find / rawSearch);
    PrintTableRow("Reader find near the end of 100 MB / read + search the bytes", find / 1000, rawSearch / 1000, "ms", 2);
    return 0;
}
