#pragma once
#include <QString>

// The folder every data file is addressed against: the folder of the running executable.
QString ProgramFolder();
// Program folder + "/" + fileName.
QString ProgramFilePath(const QString &fileName);
// True when `name` can only name a file directly inside the program folder: not empty, no "/"
// or "\", neither "." nor "..", and no control characters (a line break is no part of a name
// the user chose). Names that fail are never read from or written to.
bool IsBareFileName(const QString &name);
// Program folder + "/" + textFileName + suffix: the ".find" and ".kan" side files of a text
// file. Empty when textFileName is not a bare file name, so that no side file is written for it.
QString SideFilePath(const QString &textFileName, const QString &suffix);
// Lets a host (the tests) run the windows against another folder. Also forgets the kept
// settings-file path so that it is computed again for the new folder.
void SetProgramFolder(const QString &folder);
