#pragma once
#include <QLockFile>
#include <QString>

// Keeps a second instance of the program from running for the same user. The lock lives in the
// user's runtime folder; a lock left by an instance that crashed is taken over, since its process
// is gone.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &lockPath = DefaultLockPath());
    // True when this is the only instance: the lock is then held until this object ends.
    bool acquire();

    static QString DefaultLockPath();

private:
    QLockFile m_lock;
};
