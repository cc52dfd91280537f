#include "SynthEngine.h"
#include "SynthWorker.h"
#include <QCoreApplication>
#include <QMetaObject>
#include <QMutex>
#include <atomic>

namespace {
QMutex s_mutex;
std::shared_ptr<SynthEngine> s_engine;

// The thread ends with the application; voices still alive keep it until they go.
void releaseEngine()
{
    QMutexLocker lock(&s_mutex);
    s_engine.reset();
}
}

std::shared_ptr<SynthEngine> SynthEngine::shared()
{
    QMutexLocker lock(&s_mutex);
    if (!s_engine) {
        s_engine.reset(new SynthEngine);
        qAddPostRoutine(releaseEngine);
    }
    return s_engine;
}

SynthEngine::SynthEngine()
{
    qRegisterMetaType<SynthRequest>();
    qRegisterMetaType<WordMark>();
    m_thread.setObjectName(QStringLiteral("speech synthesis"));
    m_worker = new SynthWorker;
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, &SynthWorker::initialize, Qt::BlockingQueuedConnection,
                              &m_sampleRate);
}

SynthEngine::~SynthEngine()
{
    m_thread.quit();
    m_thread.wait();
}

void SynthEngine::synthesize(const SynthRequest &request)
{
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, request] {
        worker->synthesize(request);
    }, Qt::QueuedConnection);
}

quint64 SynthEngine::newClientId()
{
    static std::atomic<quint64> id{0};
    return ++id;
}

QList<VoiceInfo> SynthEngine::voices()
{
    QList<VoiceInfo> result;
    QMetaObject::invokeMethod(m_worker, &SynthWorker::voices, Qt::BlockingQueuedConnection,
                              &result);
    return result;
}
