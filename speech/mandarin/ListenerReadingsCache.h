#pragma once
#include "ListenerReadings.h"
#include <QDateTime>
#include <QStringList>
#include <QVector>

// The listener's readings from several files, later files winning for the same word, parsed
// again as soon as any file changes (its time or size), so that an edit counts from the next
// piece without a restart.
class ListenerReadingsCache
{
public:
    // The readings; `changed` is set when the files were read anew.
    const ListenerReadings &readings(const QStringList &paths, const MandarinDictionary &dictionary,
                                     bool *changed = nullptr);

private:
    struct Stamp
    {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        bool operator==(const Stamp &o) const
        {
            return path == o.path && modified == o.modified && size == o.size;
        }
    };

    QVector<Stamp> m_stamps;
    bool m_read = false;
    ListenerReadings m_readings;
};
