#pragma once
#include "FileStamps.h"
#include "ListenerReadings.h"
#include <QStringList>

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
    FileStamps m_files;
    ListenerReadings m_readings;
};
