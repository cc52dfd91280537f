#include "TextFilePresence.h"
#include <QFileInfo>

qint64 PresentFileSize(const QString &path)
{
    if (path.isEmpty())
        return 0;
    const QFileInfo info(path);
    return info.isFile() && !IsHiddenFile(path) ? info.size() : 0;
}

bool IsHiddenFile(const QString &path)
{
    // On this system a hidden file is one whose name begins with a dot.
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    return nameStart < path.size() && path.at(nameStart) == u'.';
}
