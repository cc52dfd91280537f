#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

// Keeps a second instance of the program from running for the same user. The lock lives in the
// user's runtime folder; a lock left by an instance that crashed is taken over, since its process
// is gone. The instance that holds the lock listens beside it (a local socket named after the
// lock) for later starts, which hand it a novel to open and bring its window to the front.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Start {
        Only,        // this is the only instance: the lock is held until this object ends
        AnotherRuns, // another instance holds the lock
        Failed,      // the lock could not be taken for any other reason (errorText says why)
    };

    explicit SingleInstance(const QString &lockPath = DefaultLockPath());
    ~SingleInstance() override;

    Start acquire();
    // What the last acquire gave, and why it failed when it did.
    Start state() const { return m_state; }
    QString errorText() const { return m_error; }
    QString lockPath() const { return m_lockPath; }

    // From a later start: asks the instance holding the lock at `lockPath` to open `novel` (an
    // absolute path; empty for none) and come to the front. True when it answered in time.
    static bool HandOver(const QString &lockPath, const QString &novel, int timeoutMs = 5000);
    // True when a running instance holds the lock at `lockPath` (one that crashed does not).
    static bool HeldByAnother(const QString &lockPath);
    static QString DefaultLockPath();

signals:
    // A later start asked for this novel (empty: only for the window) to be shown.
    void Requested(const QString &novel);

private:
    void listen();
    void answer();

    QString m_lockPath;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
    QString m_error;
    Start m_state = Start::Failed;
};
