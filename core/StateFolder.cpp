#include "StateFolder.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace {
// Hex digits of the path's hash in a state-file name, and the most characters of the file name
// kept after it (a file name near the system's limit still makes a valid name).
constexpr int kHashDigits = 16;
constexpr int kMaxNameChars = 120;
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
    const QString name = QFileInfo(path).fileName().right(kMaxNameChars);
    return StateFolder() + QLatin1Char('/') + QString::fromLatin1(hash.toHex().left(kHashDigits))
        + QLatin1Char('-') + name;
}

bool FolderWritable(const QString &folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
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
    return unwritableFolderOf(path) ? StateFilePath(path) : path;
}

QString ReadablePathFor(const QString &path)
{
    if (!unwritableFolderOf(path))
        return path;
    const QString kept = StateFilePath(path);
    return QFileInfo::exists(kept) ? kept : path;
}
