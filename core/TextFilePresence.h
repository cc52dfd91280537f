#pragma once
#include <QString>

class QFileInfo;

// The existence test of the text-file reads: the byte length of the file at `path` when it is a
// normal, visible file (not a folder, not a hidden file) holding at least one byte; 0 otherwise.
qint64 PresentFileSize(const QString &path);
// The same, for a file whose information is looked up already.
qint64 PresentFileSize(const QFileInfo &info);
