#pragma once
#include <QString>

// The folder every data file is addressed against: the folder of the running executable.
QString ProgramFolder();
// Program folder + "/" + fileName.
QString ProgramFilePath(const QString &fileName);
// Lets a host (the tests) run the windows against another folder. Also forgets the kept
// settings-file path so that it is computed again for the new folder.
void SetProgramFolder(const QString &folder);
