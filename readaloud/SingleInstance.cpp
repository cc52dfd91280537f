#include "SingleInstance.h"
#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &lockPath) : m_lock(lockPath)
{
    // Only a lock whose process is gone is stale; a running instance keeps it however long it runs.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

QString SingleInstance::DefaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/Tarrowin.lock");
}
