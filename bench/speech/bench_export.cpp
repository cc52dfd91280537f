// Prints how fast chapters are exported to audio files, as a multiple of the length of the
// speech written, and the peak memory of the export, for two lengths of chapter: the memory
// should stay the same however long the chapters. Each export writes several chapters, as a
// user's does, so that the export's lanes (one per core) all work. Each measurement runs in a
// process of its own (this program started again with --one), so that each peak is its own.
//   bench_export [format]        format: opus (default), vorbis, mp3, flac, wav
#include "AudioExport.h"
#include "EncodingDetection.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <sys/resource.h>
#include <cstdio>

namespace {
const QString Novel = QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt");
const qint64 Lengths[] = {2 * 1024, 8 * 1024}; // bytes of the novel per chapter
constexpr int Chapters = 4;                      // chapters per export
constexpr int RealTimeGoal = 200;                // times real time, for Ogg Opus

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

qint64 peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Exports the first Chapters * `bytes` bytes of the novel as chapters of `bytes` each; prints
// "<speech seconds> <wall seconds> <cpu seconds> <peak KB>".
int measureOne(qint64 bytes, AudioFormat format)
{
    QTemporaryDir folder;
    ExportJob job;
    job.textPath = Novel;
    job.encoding = DetectFileEncoding(Novel);
    job.album = QStringLiteral("西游记");
    for (int number = 1; number <= Chapters; ++number) {
        const BytePos start(1 + (number - 1) * bytes);
        job.parts.append({number, QStringLiteral("第%1回").arg(number), start, start + bytes});
    }
    job.chapterCount = Chapters;
    job.folder = folder.path();
    job.format = format;
    AudioExport exporter;
    double seconds = 0;
    ExportOutcome outcome = ExportOutcome::Failed;
    QEventLoop loop;
    QObject::connect(&exporter, &AudioExport::fileWritten,
                     [&](const QString &, double length) { seconds += length; });
    QObject::connect(&exporter, &AudioExport::finished, [&](ExportOutcome result, const QString &) {
        outcome = result;
        loop.quit();
    });
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    exporter.start(job);
    loop.exec();
    const double wall = clock.elapsed() / 1000.0;
    if (outcome != ExportOutcome::Written)
        return 1;
    std::printf("%f %f %f %lld\n", seconds, wall, cpuSeconds() - cpuBefore,
                static_cast<long long>(peakKilobytes()));
    return 0;
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const AudioFormat format =
        AudioFormatFromName(args.value(args.indexOf(QStringLiteral("--one")) >= 0 ? 3 : 1))
            .value_or(AudioFormat::Opus);
    if (args.value(1) == QStringLiteral("--one"))
        return measureOne(args.value(2).toLongLong(), format);
    if (!QFile::exists(Novel)) {
        std::fprintf(stderr, "no novel at %s\n", qPrintable(Novel));
        return 1;
    }
    std::printf("Export of %d chapters of %s to %s, on %d cores:\n", Chapters, qPrintable(Novel),
                qPrintable(AudioFormatCaption(format)), QThread::idealThreadCount());
    qint64 peaks[2] = {};
    int index = 0;
    for (const qint64 length : Lengths) {
        QProcess one;
        one.start(app.applicationFilePath(),
                  {QStringLiteral("--one"), QString::number(length), AudioFormatName(format)});
        one.waitForFinished(-1);
        const QList<QByteArray> figures = one.readAllStandardOutput().simplified().split(' ');
        if (one.exitCode() != 0 || figures.size() != 4) {
            std::fprintf(stderr, "the export of %lld bytes failed\n", static_cast<long long>(length));
            return 1;
        }
        const double speech = figures[0].toDouble();
        const double wall = figures[1].toDouble();
        const double cpu = figures[2].toDouble();
        peaks[index++] = figures[3].toLongLong();
        std::printf("  %4lld KB of text each, %7.1f s of speech: %5.2f s, %6.1f x real time "
                    "(%6.1f x per CPU second, %4.2f cores busy), peak memory %lld KB\n",
                    static_cast<long long>(length / 1024), speech, wall, speech / wall, speech / cpu,
                    cpu / wall,
                    static_cast<long long>(figures[3].toLongLong()));
        // The goal: the export takes at most 1/200 of the speech's duration.
        std::printf("TABLE|Export to %s, %lld KB chapters: wall time / speech over %d|%.2f|%.2f|s|1.00\n",
                    qPrintable(AudioFormatCaption(format)), static_cast<long long>(length / 1024),
                    RealTimeGoal, wall, speech / RealTimeGoal);
    }
    std::printf("Peak memory of the longer chapter / the shorter: %.2f (flat is 1.00)\n",
                double(peaks[1]) / double(peaks[0]));
    std::printf("TABLE|Export peak memory: %lld KB chapters / %lld KB chapters|%lld|%lld|KB|1.10\n",
                static_cast<long long>(Lengths[1] / 1024), static_cast<long long>(Lengths[0] / 1024),
                static_cast<long long>(peaks[1]), static_cast<long long>(peaks[0]));
    return 0;
}
