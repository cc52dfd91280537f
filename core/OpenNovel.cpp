#include "OpenNovel.h"
#include "TextFilePresence.h"
#include <QFileInfo>

OpenNovel::OpenNovel(const Novel &novel) : m_novel(novel), m_file(novel.path)
{
    const QFileInfo info(novel.path);
    m_size = info.size();
    m_presentSize = novel.path.isEmpty() ? 0 : PresentFileSize(info);
    if (info.isFile())
        m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}
