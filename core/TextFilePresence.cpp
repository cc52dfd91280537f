#include "TextFilePresence.h"
#include <QFileInfo>

qint64 PresentFileSize(const QString &path)
{
    if (path.isEmpty())
        return 0;
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden())
        return 0;
    return info.size();
}
