#include "AudioExport.h"
#include "ExportWorker.h"
#include <algorithm>
#include <limits>

namespace {
constexpr int MaximumLanes = 4;

int laneCount(int parts)
{
    return std::clamp(std::min(QThread::idealThreadCount(), parts), 1, MaximumLanes);
}
}

AudioExport::AudioExport(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<ExportProgress>();
    qRegisterMetaType<ExportOutcome>();
}

AudioExport::~AudioExport()
{
    stopLanes();
    for (const auto &lane : m_lanes) {
        lane->thread.quit();
        lane->thread.wait();
    }
}

bool AudioExport::start(const ExportJob &job)
{
    if (isRunning())
        return false;
    for (const auto &lane : m_lanes)
        lane->thread.wait(); // the threads of the export before have ended
    m_lanes.clear();
    m_cancelled = m_failed = false;
    m_failure.clear();
    m_bytesTotal = 0;
    for (const ExportPart &part : job.parts)
        m_bytesTotal += ExportPartBytes(part);
    m_clock.start();
    m_nextPart = std::make_shared<std::atomic<int>>(0);
    m_partCount = int(job.parts.size());
    const int lanes = laneCount(m_partCount);
    for (int index = 0; index < lanes; ++index) {
        auto lane = std::make_unique<Lane>();
        Lane *owner = lane.get();
        lane->thread.setObjectName(QStringLiteral("audio export %1").arg(index + 1));
        lane->cancelUpTo = std::make_shared<std::atomic<int>>(0);
        lane->worker = new ExportWorker(job, m_nextPart, lane->cancelUpTo);
        lane->worker->moveToThread(&lane->thread);
        connect(&lane->thread, &QThread::finished, lane->worker, &QObject::deleteLater);
        connect(lane->worker, &ExportWorker::progress, this,
                [this, owner](const ExportProgress &report) { laneProgress(owner, report); });
        connect(lane->worker, &ExportWorker::fileWritten, this, &AudioExport::fileWritten);
        connect(lane->worker, &ExportWorker::finished, this,
                [this, owner](ExportOutcome outcome, const QString &message) {
                    laneFinished(owner, outcome, message);
                });
        m_lanes.push_back(std::move(lane));
    }
    m_running = lanes;
    for (const auto &lane : m_lanes) {
        lane->thread.start();
        QMetaObject::invokeMethod(lane->worker, &ExportWorker::run, Qt::QueuedConnection);
    }
    return true;
}

void AudioExport::cancel()
{
    if (!isRunning())
        return;
    m_cancelled = true;
    stopLanes();
}

void AudioExport::stopLanes()
{
    for (const auto &lane : m_lanes) {
        if (!lane->worker)
            continue;
        // Synthesis of the lane's pieces stops at once; the worker then removes its file.
        lane->cancelUpTo->store(std::numeric_limits<int>::max());
        QMetaObject::invokeMethod(lane->worker, &ExportWorker::cancel, Qt::QueuedConnection);
    }
}

void AudioExport::laneProgress(Lane *lane, const ExportProgress &report)
{
    lane->progress = report;
    ExportProgress total;
    total.partIndex = std::numeric_limits<int>::max();
    for (const auto &each : m_lanes) {
        total.bytesDone += each->progress.bytesDone;
        if (each->worker && !each->progress.fileName.isEmpty()
            && each->progress.partIndex < total.partIndex) {
            total.partIndex = each->progress.partIndex;
            total.fileName = each->progress.fileName;
        }
    }
    if (total.fileName.isEmpty())
        return; // every lane has ended
    total.bytesTotal = m_bytesTotal;
    total.secondsLeft = EstimateSecondsLeft(m_clock.elapsed(), total.bytesDone, m_bytesTotal);
    emit progress(total);
}

void AudioExport::laneFinished(Lane *lane, ExportOutcome outcome, const QString &message)
{
    lane->worker = nullptr;
    lane->thread.quit();
    --m_running;
    if (outcome == ExportOutcome::Failed && !m_failed) {
        m_failed = true;
        m_failure = message;
        // No lane takes another chapter; one being written is finished, or fails by itself
        // (on a full disk), so a chapter is never lost to a failure in another lane.
        m_nextPart->store(m_partCount);
    }
    if (m_running > 0)
        return;
    if (m_failed)
        emit finished(ExportOutcome::Failed, m_failure);
    else
        emit finished(m_cancelled ? ExportOutcome::Cancelled : ExportOutcome::Written, QString());
}
