#include "PlaceSearch.h"
#include "FindInTextFile.h"
#include "KeptPlace.h"

PlaceSearch::PlaceSearch(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
}

PlaceSearch::~PlaceSearch()
{
    // A search reads to its end; its answer, posted to this object, goes with it.
    m_pool.waitForDone();
}

void PlaceSearch::Request(const Novel &novel, const QString &needle, const QByteArray &keptBytes)
{
    const quint64 request = ++m_request;
    m_running = true;
    m_result.reset();
    m_pool.start([this, novel, needle, keptBytes, request] {
        std::optional<BytePos> found = FindInTextFile(novel, needle);
        if (!found)
            if (const std::optional<KeptPlace> other = FindInOtherEncodings(novel, keptBytes))
                found = other->at;
        QMetaObject::invokeMethod(this, [this, request, found] { Deliver(request, found); }, Qt::QueuedConnection);
    });
}

void PlaceSearch::Cancel()
{
    ++m_request;
    m_running = false;
}

void PlaceSearch::Deliver(quint64 request, std::optional<BytePos> found)
{
    if (request != m_request)
        return;
    m_running = false;
    m_result = found;
    emit Found();
}
