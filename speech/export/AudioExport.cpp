#include "AudioExport.h"
#include "ExportWorker.h"
#include <limits>

AudioExport::AudioExport(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<ExportProgress>();
    qRegisterMetaType<ExportOutcome>();
    m_thread.setObjectName(QStringLiteral("audio export"));
}

AudioExport::~AudioExport()
{
    cancel();
    m_thread.quit();
    m_thread.wait();
}

bool AudioExport::start(const ExportJob &job)
{
    if (isRunning())
        return false;
    m_thread.wait(); // the thread of the export before has ended
    m_cancelUpTo = std::make_shared<std::atomic<int>>(0);
    auto *worker = new ExportWorker(job, m_cancelUpTo);
    worker->moveToThread(&m_thread);
    m_worker = worker;
    connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &ExportWorker::progress, this, &AudioExport::progress);
    connect(worker, &ExportWorker::fileWritten, this, &AudioExport::fileWritten);
    connect(worker, &ExportWorker::finished, this, &AudioExport::onFinished);
    m_thread.start();
    QMetaObject::invokeMethod(worker, &ExportWorker::run, Qt::QueuedConnection);
    return true;
}

void AudioExport::cancel()
{
    if (!m_worker)
        return;
    // Synthesis of the export's pieces stops at once; the worker then removes its file.
    m_cancelUpTo->store(std::numeric_limits<int>::max());
    QMetaObject::invokeMethod(m_worker, &ExportWorker::cancel, Qt::QueuedConnection);
}

void AudioExport::onFinished(ExportOutcome outcome, const QString &message)
{
    m_worker = nullptr;
    m_thread.quit();
    emit finished(outcome, message);
}
