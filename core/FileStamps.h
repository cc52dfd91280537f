#pragma once
#include <QDateTime>
#include <QStringList>
#include <QVector>

// Whether any of a list of files changed (its time or size, or came or went) since the last
// look: for what is read from the listener's own files again as soon as one is edited.
class FileStamps
{
public:
    // True at the first look and whenever `paths` or any of their files differ from the last look.
    bool changed(const QStringList &paths);

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
    bool m_looked = false;
};
