#include "StateFolder.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QDeadlineTimer>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Hex digits of the path's hash in a state-file name.
constexpr int kHashDigits = 16;
// The longest file name, in bytes, that the program makes: the system's limit, less the room a
// replacing write takes for the new file it makes beside the old ("." + name + ".xxxxxxx.new").
constexpr int kMaxNameBytes = 255 - 16;
// How long a folder's probed writability is taken as it was.
constexpr int kProbeKeptMs = 2000;

// The end of `name` whose bytes fit in `bytes`.
QString NameEndFitting(QString name, int bytes)
{
    while (QFile::encodeName(name).size() > bytes)
        name.remove(0, 1);
    return name;
}

// A file name too long to be made, as a novel's long name with ".find" after it may be.
bool NameTooLong(const QString &path)
{
    return QFile::encodeName(QFileInfo(path).fileName()).size() > kMaxNameBytes;
}
}

QString StateFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base)) // an unset or relative value is to be ignored
        base = QDir::homePath() + QStringLiteral("/.local/state");
    const QString folder = base + QStringLiteral("/tarrowin");
    QDir().mkpath(folder);
    return folder;
}

QString StateFilePath(const QString &path)
{
    const QByteArray hash = QCryptographicHash::hash(QDir::cleanPath(path).toUtf8(), QCryptographicHash::Sha256);
    const QString name = NameEndFitting(QFileInfo(path).fileName(), kMaxNameBytes - kHashDigits - 1);
    return StateFolder() + QLatin1Char('/') + QString::fromLatin1(hash.toHex().left(kHashDigits))
        + QLatin1Char('-') + name;
}

// A new file is made and removed: rights alone (access()) say yes to root for any folder, also on
// a read-only mount or a share that refuses root. The answer is kept a moment, so that a burst of
// writes probes the folder once.
bool FolderWritable(const QString &folder)
{
    struct Probed
    {
        bool writable;
        QDeadlineTimer until;
    };
    static QHash<QString, Probed> probed;
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    const auto found = probed.constFind(folder);
    if (found != probed.cend() && !found->until.hasExpired())
        return found->writable;
    const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/.tarrowin-probe-"))
        + QByteArray::number(QRandomGenerator::global()->generate(), 36);
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.constData());
    }
    const bool writable = fd >= 0 || errno == EEXIST;
    probed.insert(folder, {writable, QDeadlineTimer(kProbeKeptMs)});
    return writable;
}

namespace {
// A folder that is there but refuses new files; a missing folder is no place to keep anything for.
bool unwritableFolderOf(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    return QFileInfo(folder).isDir() && !FolderWritable(folder);
}
}

QString WritablePathFor(const QString &path)
{
    return unwritableFolderOf(path) || NameTooLong(path) ? StateFilePath(path) : path;
}

QString ReadablePathFor(const QString &path)
{
    if (NameTooLong(path))
        return StateFilePath(path);
    const QFileInfo kept(StateFilePath(path));
    if (!kept.exists())
        return path;
    const QFileInfo beside(path);
    return !beside.exists() || kept.lastModified() >= beside.lastModified() ? kept.filePath() : path;
}
