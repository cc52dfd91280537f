#include "CommandLine.h"
#include "ExportCommand.h"
#include "frmRead.h"
#include "frmTTS.h"
#include <QApplication>
#include <QDir>
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
    return CommandLine::Parse(QCoreApplication::arguments(), QDir::currentPath());
}
}

int main(int argc, char *argv[])
{
    const CommandLineRequest request = ReadCommandLine(argc, argv);
    if (request.exitCode) {
        std::fputs(request.output.toLocal8Bit().constData(), *request.exitCode == 0 ? stdout : stderr);
        return *request.exitCode;
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
    frmTTS window;
    window.setReaderFactory([](frmTTS *tts) -> QWidget * { return new frmRead(tts); });
    if (!window.Form_Load())
        return 0; // another instance runs: this one ends at once
    window.show();
    return app.exec();
}
