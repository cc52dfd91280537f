#include "TextFilePresence.h"
#include <QFileInfo>

qint64 PresentFileSize(const QString &path)
{
    return path.isEmpty() ? 0 : PresentFileSize(QFileInfo(path));
}

qint64 PresentFileSize(const QFileInfo &info)
{
    return info.isFile() && !info.isHidden() ? info.size() : 0;
}
