#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Files whose names are bytes that are not UTF-8 (a GBK name from another system): Qt can neither
// list nor open them by name. Each such novel is reached through a symbolic link in the state
// folder that points at it and is named by the name's bytes read as GBK, so that it is listed,
// opened and read as any novel outside the program folder (its side files beside the link).

// Whether `bytes` (a file name or path) read as UTF-8.
bool IsUtf8Name(const QByteArray &bytes);
// The link that stands for the file at the absolute path `path` (file-system bytes); empty when
// its name is UTF-8 already, does not read as GBK either, or no link can be made.
QString LinkForForeignName(const QByteArray &path);
// The links for the "*.txt" files of `folder` whose names are not UTF-8.
QStringList ForeignTextFiles(const QString &folder);
