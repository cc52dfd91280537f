#include "OpenNovel.h"
#include "TextFilePresence.h"
#include <QFile>
#include <cerrno>
#include <unistd.h>

OpenNovel::OpenNovel(const Novel &novel) : m_novel(novel)
{
    if (novel.path.isEmpty())
        return;
    m_file = KeptFiles::Open(QFile::encodeName(novel.path));
    m_presentSize = IsHiddenFile(novel.path) ? 0 : m_file.size;
}

qint64 OpenNovel::ReadAt(qint64 offset, char *into, qint64 length)
{
    if (!m_file.descriptor || offset < 0 || length < 0)
        return -1;
    qint64 done = 0;
    while (done < length) {
        const ssize_t read = ::pread(m_file.descriptor->get(), into + done, size_t(length - done), off_t(offset + done));
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
