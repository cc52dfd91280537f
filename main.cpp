#include "ChineseQt.h"
#include "CommandLine.h"
#include "ExportCommand.h"
#include "ForeignNames.h"
#include "IcuConverter.h"
#include "ImportRulesCommand.h"
#include "PronounceCommand.h"
#include "ShelfCommand.h"
#include "MprisService.h"
#include "NovelEncoding.h"
#include "NovelName.h"
#include "OutputDeviceWatch.h"
#include "ReadAloudMedia.h"
#include "SingleInstance.h"
#include "frmRead.h"
#include "frmTTS.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <cstdio>

namespace {
// Qt aborts with a long platform-plugin message when there is no display; say it in one line.
bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The command line, read before any display is needed, under an application object of its own
// (the usage text names the program as it was started).
CommandLineRequest ReadCommandLine(int argc, char *argv[])
{
    const QCoreApplication reading(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    // A file named in bytes that are not UTF-8 (GBK) cannot be named to Qt: it is named by its link.
    for (int i = 1; i < argc && i < arguments.size(); ++i) {
        const QByteArray given(argv[i]);
        if (IsUtf8Name(given))
            continue;
        const QByteArray path = given.startsWith('/') ? given : QFile::encodeName(QDir::currentPath()) + '/' + given;
        if (const QString link = LinkForForeignName(path); !link.isEmpty())
            arguments[i] = link;
    }
    return CommandLine::Parse(arguments, QDir::currentPath());
}

void PrintLine(const QString &line)
{
    std::fprintf(stderr, "tarrowin: %s\n", line.toLocal8Bit().constData());
}

// A start that found another instance running, or could not tell: the running instance opens the
// novel and comes to the front, and this start ends.
int EndSecondStart(const SingleInstance &instance, const QString &novel)
{
    if (instance.state() == SingleInstance::Start::AnotherRuns) {
        if (SingleInstance::HandOver(instance.lockPath(), novel))
            return 0;
        PrintLine(QStringLiteral("Tarrowin is already running, but did not answer"));
        return 1;
    }
    const QString message = QStringLiteral("Tarrowin cannot start: %1").arg(instance.errorText());
    PrintLine(message);
    QMessageBox::critical(nullptr, QStringLiteral("Tarrowin"),
                          QStringLiteral("Tarrowin 不能启动：无法确认是否已经在运行。\n%1").arg(instance.errorText()));
    return 1;
}

// Without an ICU converter the novels in its encoding cannot be read: said on standard error and,
// where a window can be shown, in a message box, before anything is opened.
int EndForMissingConverters(int argc, char *argv[], const QStringList &missing)
{
    const QString message = IcuConvertersMissingMessage(missing);
    PrintLine(message);
    if (displayAvailable()) {
        QApplication telling(argc, argv);
        InstallChineseQtTranslations(telling);
        QMessageBox::critical(nullptr, QStringLiteral("Tarrowin"),
                              QStringLiteral("Tarrowin 不能启动：缺少文字编码转换所需的 ICU 数据。\n%1").arg(message));
    }
    return 1;
}

// A FILE that cannot be opened, said on standard error, is handed to a window already up too,
// which says it in a message box: a start from the file manager has no terminal to say it on.
void TellTheRunningWindow(int argc, char *argv[], const QString &refusedNovel)
{
    if (refusedNovel.isEmpty() || !displayAvailable())
        return;
    const QCoreApplication telling(argc, argv);
    const QString lock = SingleInstance::DefaultLockPath();
    if (SingleInstance::HeldByAnother(lock))
        SingleInstance::HandOver(lock, refusedNovel);
}
}

int main(int argc, char *argv[])
{
    const CommandLineRequest request = ReadCommandLine(argc, argv);
    if (request.exitCode) {
        std::fputs(request.output.toLocal8Bit().constData(), *request.exitCode == 0 ? stdout : stderr);
        TellTheRunningWindow(argc, argv, request.refusedNovel);
        return *request.exitCode;
    }
    if (const QStringList missing = MissingIcuConverters(); !missing.isEmpty())
        return EndForMissingConverters(argc, argv, missing);
    if (request.pronounce) {
        const QCoreApplication pronouncing(argc, argv);
        return RunPronounceCommand(*request.pronounce);
    }
    if (request.importRules) {
        const QCoreApplication importing(argc, argv);
        return RunImportRulesCommand(*request.importRules);
    }
    if (request.listShelf) {
        const QCoreApplication listing(argc, argv);
        return RunListShelfCommand();
    }
    if (request.exportAudio) {
        const QCoreApplication exporting(argc, argv);
        return RunExportCommand(request.novel, *request.exportAudio);
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "Tarrowin needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set.\n");
        return 2;
    }
    QApplication app(argc, argv);
    InstallChineseQtTranslations(app);
    // --encoding is the window's choice for the novel from now on, kept before the window (this
    // one, or the one already running that is handed the novel) opens it.
    if (request.encoding && !request.novel.isEmpty())
        KeepChosenEncoding(NovelNameFor(request.novel), request.encoding);
    frmTTS window;
    window.setReaderFactory([](frmTTS *tts) -> QWidget * { return new frmRead(tts); });
    if (!window.Form_Load())
        return EndSecondStart(*window.instance(), request.novel);
    window.show();
    if (!request.novel.isEmpty())
        window.OpenNovel(request.novel);
    // Media keys, headsets and the desktop's media widget; reading pauses when the output that
    // sound goes to (headphones) goes away.
    auto *media = new ReadAloudMedia(window.session(), {[&window] { window.BringToFront(); }, [&window] { window.close(); }},
                                     &window);
    const MprisService mpris(media, QDBusConnection::sessionBus());
    OutputDeviceWatch outputs;
    media->pauseOnOutputLoss(&outputs);
    return app.exec();
}
