#pragma once
#include <QString>

// The folder every data file is addressed against. Run from any folder (the build folder, a
// folder of novels) it is the folder of the running executable. An installed program (its
// executable in a "bin" folder with the installed "share/tarrowin" beside it) never writes
// there: its program folder is `$XDG_DATA_HOME/tarrowin` (by default ~/.local/share/tarrowin),
// made on first start with the shipped sample novel copied in.
QString ProgramFolder();
// The program folder for an executable in `executableFolder`, with `dataHome` as the user's data
// folder; pure, so that the rule can be checked without installing.
QString ProgramFolderFor(const QString &executableFolder, const QString &dataHome);
// The folder of the files installed with the program (the sample novel): "share/tarrowin" of an
// installed program, the executable's folder otherwise.
QString ShippedFilesFolder();
// The public-domain sample novel shipped with the program, opened when no novel was chosen yet.
QString SampleNovelName();
// Program folder + "/" + fileName.
QString ProgramFilePath(const QString &fileName);
// True when `name` can only name a file directly inside the program folder: not empty, no "/"
// or "\", neither "." nor "..", and no control characters (a line break is no part of a name
// the user chose). Names that fail are never read from or written to.
bool IsBareFileName(const QString &name);
// True when `name` is the absolute path of a file anywhere (a novel opened from outside the
// program folder): it begins with "/", does not end in one, and holds no control characters.
bool IsNovelPath(const QString &name);
// The file a novel name stands for: an absolute path as it is, any other name in the program folder.
QString NovelFilePath(const QString &name);
// Where the ".find" and ".kan" side files (`suffix`) of a novel are written: beside the novel,
// program folder + "/" + name + suffix for a bare name, or path + suffix for an absolute path;
// in the state folder instead when that folder cannot be written. Empty when `name` is neither,
// so that no side file is written for it.
QString SideFilePath(const QString &textFileName, const QString &suffix);
// Where they are read from: as SideFilePath, but a side file beside a novel in a folder that
// cannot be written is read when the state folder holds none yet.
QString SideFileToRead(const QString &textFileName, const QString &suffix);
// Lets a host (the tests) run the windows against another folder. Also forgets the kept
// settings-file path so that it is computed again for the new folder.
void SetProgramFolder(const QString &folder);
