#pragma once
#include <QString>

// The existence test of the text-file reads: the byte length of the file at `path` when it is a
// normal, visible file (not a folder, not a hidden file) holding at least one byte; 0 otherwise.
qint64 PresentFileSize(const QString &path);

// Whether the file at `path` is hidden, as a file manager would show it; known from the path
// alone, without looking the file up.
bool IsHiddenFile(const QString &path);
