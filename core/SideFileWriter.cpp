#include "SideFileWriter.h"
#include "mdlFileBinText.h"
#include <utility>

SideFileWriter::SideFileWriter(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &SideFileWriter::flush);
}

SideFileWriter::~SideFileWriter()
{
    flush();
}

void SideFileWriter::write(const Novel &sideFile, const QString &text)
{
    if (sideFile.path.isEmpty() || m_kept.contains(sideFile.path))
        return;
    m_waiting.insert(sideFile.path, Waiting{sideFile.encoding, text});
    if (!m_timer.isActive())
        m_timer.start();
}

void SideFileWriter::flush()
{
    m_timer.stop();
    const QHash<QString, Waiting> waiting = std::exchange(m_waiting, {});
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it)
        if (!mdlFileBinText::WriteTextFile(Novel{it.key(), it->encoding}, it->text))
            emit writeFailed(it.key());
}

void SideFileWriter::keep(const QString &path)
{
    m_kept.insert(path);
    m_waiting.remove(path);
}
