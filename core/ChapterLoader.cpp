#include "ChapterLoader.h"
#include "ChapterCache.h"
#include "EncodingDetection.h"

ChapterLoader::ChapterLoader(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
}

ChapterLoader::~ChapterLoader()
{
    if (m_cancel)
        m_cancel->store(true);
    m_pool.waitForDone();
}

void ChapterLoader::Request(const QString &path)
{
    Request(Novel{path, DetectFileEncoding(path)});
}

void ChapterLoader::Request(const Novel &novel)
{
    if (m_cancel)
        m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic_bool>(false);
    const quint64 request = ++m_request;
    m_novel = novel;
    m_chapters = ChapterList();
    m_ready = false;
    m_pool.start([this, novel, request, cancel = m_cancel] {
        const std::optional<ChapterList> chapters = LoadOrScanChapters(novel, cancel.get());
        if (cancel->load())
            return;
        QMetaObject::invokeMethod(
            this, [this, request, found = chapters.value_or(ChapterList())] { Deliver(request, found); },
            Qt::QueuedConnection);
    });
}

void ChapterLoader::Deliver(quint64 request, const ChapterList &chapters)
{
    if (request != m_request)
        return;
    m_chapters = chapters;
    m_ready = true;
    emit Ready();
}
