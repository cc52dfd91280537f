#pragma once
#include <QString>

// Where the place is kept when the folder a file belongs in cannot be written (read-only media,
// a shared folder, a novel in someone else's folder): `$XDG_STATE_HOME/tarrowin/`, by default
// `~/.local/state/tarrowin/`, under a name made from the file's full path.

// The state folder; made when it does not exist yet.
QString StateFolder();
// The file in the state folder that stands in for the file at the absolute `path`: a hash of
// the whole path, a "-", and the path's file name (its end, when the whole would make too long a
// name), so that files of the same name in different folders stay apart and a user can still
// tell them by name.
QString StateFilePath(const QString &path);
// True when new files can be made in `folder` by this process (read-only mounts, missing rights
// and immutable folders all say no), found by making one.
bool FolderWritable(const QString &folder);
// Where a file that belongs at the absolute `path` is written: its state-folder file when its
// folder is there but cannot be written, or its name is too long for the file system to make;
// `path` itself otherwise.
QString WritablePathFor(const QString &path);
// Where that file is read from: the state-folder file when it is newer than the file at `path`
// (a write that failed there went to it) or there is none at `path`, otherwise `path` (so a place
// kept beside a file on read-only media still opens); the state-folder file always for a name
// too long to be made.
QString ReadablePathFor(const QString &path);
