#include "FileStamps.h"
#include <QFileInfo>

bool FileStamps::changed(const QStringList &paths)
{
    QVector<Stamp> stamps;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        stamps.append({path, info.exists() ? info.lastModified() : QDateTime(), info.exists() ? info.size() : -1});
    }
    if (m_looked && stamps == m_stamps)
        return false;
    m_stamps = stamps;
    m_looked = true;
    return true;
}
