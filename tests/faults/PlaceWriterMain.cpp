// fault_place_writer FOLDER: writes FOLDER's side file and one key of its own settings file once,
// with the second contents of RewriterContents.h, and prints "side ok" or "side failed" and
// "settings ok" or "settings failed". The test runs it under a file-size limit.
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
        std::fprintf(stderr, "usage: fault_place_writer FOLDER\n");
        return 2;
    }
    SetProgramFolder(application.arguments().at(1));
    const bool side = mdlFileBinText::WriteTextFile(ProgramFilePath(RewriterContents::SideFileName),
                                                    RewriterContents::sideText(1));
    const bool settings = mdlIniFile::WriteIniString(RewriterContents::Section, RewriterContents::Key,
                                                     RewriterContents::settingsValue(1)) != 0;
    std::printf("side %s\nsettings %s\n", side ? "ok" : "failed", settings ? "ok" : "failed");
    return 0;
}
