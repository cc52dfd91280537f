#include "ReplaceFile.h"
#include "CoreLog.h"
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, QByteArrayView bytes)
{
    const char *at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        at += written;
        left -= written;
    }
    return true;
}

// `done`, noting in `error` the cause of the first step that was not.
bool Step(bool done, int &error)
{
    if (!done && error == 0)
        error = errno ? errno : EIO;
    return done;
}

// Opens a new file of a name no other file has, beside `target`; -1 when none can be made.
int CreateBeside(const QString &target, QByteArray &name)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = QFile::encodeName(info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1Char('.')
                                 + QString::number(QRandomGenerator::global()->generate(), 36) + QLatin1String(".new"));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

}

bool ReplaceFile(const QString &path, QByteArrayView bytes)
{
    if (path.isEmpty())
        return false;
    // A symbolic link at `path` is itself replaced, never written through: a side file or the
    // settings linked to another file must not overwrite that file with a novel's text.
    const QString &target = path;
    QByteArray tempName;
    errno = 0;
    int error = 0;
    const int fd = CreateBeside(target, tempName);
    bool ok = Step(fd >= 0, error);
    if (ok) {
        struct stat old;
        const bool keepMode = ::lstat(QFile::encodeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode);
        ok = Step(!keepMode || ::fchmod(fd, old.st_mode & 07777) == 0, error);
        ok = ok && Step(WriteAll(fd, bytes), error) && Step(::fsync(fd) == 0, error);
        ok = Step(::close(fd) == 0, error) && ok;
        ok = ok && Step(::rename(tempName.constData(), QFile::encodeName(target).constData()) == 0, error);
        if (!ok)
            ::unlink(tempName.constData());
    }
    if (!ok) {
        qCWarning(lcCore, "cannot write %s: %s", qUtf8Printable(path), std::strerror(error));
        errno = error;
    }
    return ok;
}
