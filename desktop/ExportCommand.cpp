#include "ExportCommand.h"
#include "AudioExport.h"
#include "ChapterCache.h"
#include "NovelEncoding.h"
#include "ExportChoices.h"
#include "ExportParts.h"
#include "ExportProgressText.h"
#include "SpeechSettings.h"
#include "mdlFileBinText.h"
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {
constexpr int BarColumns = 24;
constexpr int DefaultTerminalColumns = 80;

void printLine(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

int terminalColumns()
{
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return DefaultTerminalColumns;
}

// Reports on standard error: a bar redrawn in place on a terminal, a line per file otherwise.
class ProgressReport
{
public:
    ProgressReport() : m_terminal(isatty(STDERR_FILENO) != 0) {}

    void progress(const ExportProgress &progress)
    {
        if (!m_terminal)
            return;
        const QString line = ExportProgressLine(progress, terminalColumns() - 1);
        std::fprintf(stderr, "\r\033[K%s", line.toLocal8Bit().constData());
        std::fflush(stderr);
    }

    void written(const QString &path, double seconds)
    {
        clearBar();
        printLine(QStringLiteral("%1 (%2)").arg(path, FormatDuration(qint64(seconds + 0.5))));
    }

    void clearBar()
    {
        if (m_terminal)
            std::fprintf(stderr, "\r\033[K");
    }

private:
    bool m_terminal;
};
}

QString ExportProgressLine(const ExportProgress &progress, int width)
{
    const int percent = ExportPercent(progress);
    const int filled = percent * BarColumns / 100;
    QString line = u'[' + QString(filled, u'#') + QString(BarColumns - filled, u' ')
        + QStringLiteral("] %1%  ").arg(percent, 3);
    const QString left = progress.secondsLeft
        ? QStringLiteral("  剩余 %1").arg(FormatDuration(*progress.secondsLeft)) : QString();
    // The file name gives way first when the line is too long (a Chinese character takes two
    // columns).
    QString name = progress.fileName;
    const auto columns = [](const QString &text) {
        int count = 0;
        for (const QChar c : text)
            count += c.unicode() >= 0x1100 ? 2 : 1;
        return count;
    };
    while (!name.isEmpty() && columns(line + name + left) > width)
        name.chop(1);
    return line + name + left;
}

int RunExportCommand(const QString &novel, const AudioExportRequest &request)
{
    const TextEncoding encoding = NovelEncodingFor(novel, request.encoding);
    const std::optional<ChapterList> chapters = LoadOrScanChapters(Novel{novel, encoding});
    if (!chapters || chapters->isEmpty() || !mdlFileBinText::HoldsText(Novel{novel, encoding})) {
        printLine(QStringLiteral("tarrowin: %1: no text to export").arg(novel));
        return 1;
    }
    const QString rangeText = request.chapters.isEmpty()
        ? QStringLiteral("1-%1").arg(chapters->size()) : request.chapters;
    const std::optional<ChapterRange> range = ParseChapterRange(rangeText, chapters->size());
    if (!range) {
        printLine(QStringLiteral("tarrowin: --chapters %1: not a range of chapters 1 to %2")
                      .arg(request.chapters).arg(chapters->size()));
        return CommandLine::kUsageError;
    }
    ExportJob job;
    job.textPath = novel;
    job.encoding = encoding;
    job.album = ExportNovelName(novel);
    job.parts = ExportPartsOf(*chapters, QFileInfo(novel).size(), *range);
    job.chapterCount = chapters->size();
    job.folder = request.folder;
    job.format = request.format;
    job.settings = LoadSpeechSettings();

    AudioExport exporter;
    ProgressReport report;
    QEventLoop loop;
    int exitCode = 1;
    QObject::connect(&exporter, &AudioExport::progress, &loop,
                     [&](const ExportProgress &progress) { report.progress(progress); });
    QObject::connect(&exporter, &AudioExport::fileWritten, &loop,
                     [&](const QString &path, double seconds) { report.written(path, seconds); });
    QObject::connect(&exporter, &AudioExport::finished, &loop,
                     [&](ExportOutcome outcome, const QString &message) {
                         report.clearBar();
                         if (outcome != ExportOutcome::Written)
                             printLine(QStringLiteral("tarrowin: %1").arg(message));
                         exitCode = outcome == ExportOutcome::Written ? 0 : 1;
                         loop.quit();
                     });
    exporter.start(job);
    loop.exec();
    return exitCode;
}
