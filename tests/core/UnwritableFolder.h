#pragma once
#include <QDir>
#include <QFile>
#include <QString>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Makes a folder refuse new files for as long as it lives: read-only, and also immutable where
// the user may write into read-only folders anyway (root). `works()` says whether it succeeded.
// `Immutable` keeps the folder's rights as they are (a runtime folder must stay 0700).
class UnwritableFolder
{
public:
    enum How { ReadOnly, Immutable };
    explicit UnwritableFolder(const QString &path, How how = ReadOnly) : m_path(path)
    {
        if (how == ReadOnly)
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
        if (!refusesNewFiles())
            setImmutable(true);
    }
    ~UnwritableFolder()
    {
        setImmutable(false);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

    bool works() const { return refusesNewFiles(); }

private:
    bool refusesNewFiles() const
    {
        QFile probe(QDir(m_path).filePath(QStringLiteral("probe")));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.remove();
        return false;
    }

    void setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return;
        int flags = 0;
        if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }

    QString m_path;
};
