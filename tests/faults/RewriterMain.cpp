// fault_rewriter FOLDER: rewrites FOLDER's side file and its own settings file in a loop,
// alternating between the two contents of RewriterContents.h, until it is killed. It prints
// "writing" once the first round is done.
#include "ProgramFolder.h"
#include "RewriterContents.h"
#include "mdlFileBinText.h"
#include "mdlIniFile.h"
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (application.arguments().size() != 2) {
        std::fprintf(stderr, "usage: fault_rewriter FOLDER\n");
        return 2;
    }
    SetProgramFolder(application.arguments().at(1));
    const QString sidePath = ProgramFilePath(RewriterContents::SideFileName);
    for (quint64 round = 0;; ++round) {
        const int which = int(round % 2);
        mdlFileBinText::WriteTextFile(sidePath, RewriterContents::sideText(which));
        mdlIniFile::WriteIniString(RewriterContents::Section, RewriterContents::Key,
                                   RewriterContents::settingsValue(which));
        if (round == 0) {
            std::puts("writing");
            std::fflush(stdout);
        }
    }
}
