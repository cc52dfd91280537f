#include "SingleInstance.h"
#include "ReadAloudLog.h"
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {
// The socket of the instance that holds the lock at `lockPath`.
QString socketPath(const QString &lockPath)
{
    return lockPath + QStringLiteral(".socket");
}

// One request: the novel's path in UTF-8 and a line break; the answer is "ok" and a line break.
constexpr char kAnswer[] = "ok\n";
constexpr int kRetryMs = 100;

QString lockErrorText(QLockFile::LockError error, const QString &path)
{
    switch (error) {
    case QLockFile::PermissionError:
        return QStringLiteral("no permission to make the lock file %1").arg(path);
    case QLockFile::UnknownError:
        return QStringLiteral("the lock file %1 could not be made").arg(path);
    default:
        return QStringLiteral("the lock file %1 could not be taken").arg(path);
    }
}
}

SingleInstance::SingleInstance(const QString &lockPath) : m_lockPath(lockPath), m_lock(lockPath)
{
    // Only a lock whose process is gone is stale; a running instance keeps it however long it runs.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

SingleInstance::Start SingleInstance::acquire()
{
    if (m_lock.isLocked())
        return m_state = Start::Only;
    if (m_lock.tryLock(0)) {
        listen();
        return m_state = Start::Only;
    }
    if (m_lock.error() == QLockFile::LockFailedError)
        return m_state = Start::AnotherRuns;
    m_error = lockErrorText(m_lock.error(), m_lockPath);
    return m_state = Start::Failed;
}

// A socket left by an instance that crashed is removed first: holding the lock, this instance
// is the only one that may listen there. When listening fails, later starts still end at once;
// they only cannot hand anything over.
void SingleInstance::listen()
{
    const QString path = socketPath(m_lockPath);
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::answer);
    if (!m_server->listen(path))
        qCWarning(lcReadAloud, "later starts cannot hand files over: %s", qPrintable(m_server->errorString()));
}

void SingleInstance::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString novel = QString::fromUtf8(QByteArray::fromPercentEncoding(socket->readLine().chopped(1)));
            socket->write(kAnswer);
            socket->disconnectFromServer();
            emit Requested(novel);
        });
    }
}

bool SingleInstance::HandOver(const QString &lockPath, const QString &novel, int timeoutMs)
{
    // The running instance may be just starting, its lock taken and its socket not yet open.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    do {
        socket.connectToServer(socketPath(lockPath));
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        QThread::msleep(kRetryMs);
    } while (!deadline.hasExpired());
    if (socket.state() != QLocalSocket::ConnectedState)
        return false;
    // Percent-encoded, so that a name with a line break in it is carried whole on its one line.
    socket.write(novel.toUtf8().toPercentEncoding() + '\n');
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    return socket.readLine() == kAnswer;
}

bool SingleInstance::HeldByAnother(const QString &lockPath)
{
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}

QString SingleInstance::DefaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/Tarrowin.lock");
}
