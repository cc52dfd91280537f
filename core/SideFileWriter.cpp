#include "SideFileWriter.h"
#include "KeptWrite.h"
#include "TextCodec.h"
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
    writeBytes(sideFile.path, TextCodec::Encode(sideFile.encoding, text));
}

void SideFileWriter::writeBytes(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || m_kept.contains(path))
        return;
    m_waiting.insert(path, bytes);
    if (!m_timer.isActive())
        m_timer.start();
}

void SideFileWriter::flush()
{
    m_timer.stop();
    const QHash<QString, QByteArray> waiting = std::exchange(m_waiting, {});
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it)
        if (!WriteKeptFile(it.key(), it.value()).written())
            emit writeFailed(it.key());
}

void SideFileWriter::keep(const QString &path)
{
    m_kept.insert(path);
    m_waiting.remove(path);
}
