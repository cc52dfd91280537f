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
    return QFileInfo(path).isHidden();
}
