#include "ListenerReadingsCache.h"

const ListenerReadings &ListenerReadingsCache::readings(const QStringList &paths,
                                                        const MandarinDictionary &dictionary,
                                                        bool *changed)
{
    const bool fresh = m_files.changed(paths);
    if (fresh) {
        m_readings = {};
        for (const QString &path : paths)
            m_readings.add(ListenerReadings::load(path, dictionary));
    }
    if (changed)
        *changed = fresh;
    return m_readings;
}
