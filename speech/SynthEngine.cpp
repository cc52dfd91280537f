#include "SynthEngine.h"
#include "SynthWorker.h"
#include <QMetaObject>
#include <QMutex>

std::shared_ptr<SynthEngine> SynthEngine::shared()
{
    static QMutex mutex;
    static std::weak_ptr<SynthEngine> current;
    QMutexLocker lock(&mutex);
    std::shared_ptr<SynthEngine> engine = current.lock();
    if (!engine) {
        engine.reset(new SynthEngine);
        current = engine;
    }
    return engine;
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
    QMetaObject::invokeMethod(m_worker, &SynthWorker::terminate, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void SynthEngine::synthesize(const SynthRequest &request)
{
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, request] {
        worker->synthesize(request);
    }, Qt::QueuedConnection);
}

QList<VoiceInfo> SynthEngine::voices()
{
    QList<VoiceInfo> result;
    QMetaObject::invokeMethod(m_worker, &SynthWorker::voices, Qt::BlockingQueuedConnection,
                              &result);
    return result;
}
