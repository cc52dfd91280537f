#include "ListenerReadingsCache.h"
#include <QFileInfo>

const ListenerReadings &ListenerReadingsCache::readings(const QStringList &paths,
                                                        const MandarinDictionary &dictionary,
                                                        bool *changed)
{
    QVector<Stamp> stamps;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        stamps.append({path, info.exists() ? info.lastModified() : QDateTime(),
                       info.exists() ? info.size() : -1});
    }
    const bool fresh = !m_read || stamps != m_stamps;
    if (fresh) {
        m_readings = {};
        for (const QString &path : paths)
            m_readings.add(ListenerReadings::load(path, dictionary));
        m_stamps = stamps;
        m_read = true;
    }
    if (changed)
        *changed = fresh;
    return m_readings;
}
