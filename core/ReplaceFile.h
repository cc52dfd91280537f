#pragma once
#include <QByteArrayView>
#include <QString>

// Makes the file at `path` hold exactly `bytes`, or leaves it as it was. The bytes go to a new
// file in the same folder, which is written in full, synced to disk and closed before it is
// renamed over the old one; any failure on the way (a full disk, a file-size limit, a short
// write, a failed sync or close) removes the new file and returns false with the old file
// untouched and errno saying why. A symbolic link at `path` is replaced by the new file; the
// file it pointed at is never written. A new file (also one that replaces a link) gets the permissions the user's
// file-creation mask gives, a replaced normal file keeps its own.
bool ReplaceFile(const QString &path, QByteArrayView bytes);
