#include "OpenNovel.h"
#include "TextFilePresence.h"
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenNovel::OpenNovel(const Novel &novel) : m_novel(novel)
{
    if (novel.path.isEmpty())
        return;
    const QByteArray name = QFile::encodeName(novel.path);
    do
        m_descriptor = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    while (m_descriptor < 0 && errno == EINTR);
    struct stat status;
    if (m_descriptor >= 0 && (::fstat(m_descriptor, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    if (m_descriptor < 0)
        return;
    m_size = status.st_size;
    m_presentSize = IsHiddenFile(novel.path) ? 0 : m_size;
}

OpenNovel::~OpenNovel()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

qint64 OpenNovel::ReadAt(qint64 offset, char *into, qint64 length)
{
    if (m_descriptor < 0 || offset < 0 || length < 0)
        return -1;
    qint64 done = 0;
    while (done < length) {
        const ssize_t read = ::pread(m_descriptor, into + done, size_t(length - done), off_t(offset + done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return -1;
        if (read == 0)
            break;
        done += read;
    }
    return done;
}
