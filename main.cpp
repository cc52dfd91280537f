#include "frmRead.h"
#include "frmTTS.h"
#include <QApplication>
#include <cstdio>

namespace {
// Qt aborts with a long platform-plugin message when there is no display; say it in one line.
bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
}

int main(int argc, char *argv[])
{
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
