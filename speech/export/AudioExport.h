#pragma once
#include "ExportJob.h"
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

class ExportWorker;

// Exports chapters of a novel to audio files, one export at a time; its signals arrive in the
// thread that made it. Encoding costs several times what synthesis does (Ogg Opus above all),
// so the chapters are shared out among lanes, one per processor core: each lane encodes its
// chapter in a thread of its own while all of them take turns at the one synthesis thread,
// piece by piece, as reading aloud does meanwhile. Each lane holds a few pieces of audio at
// most, so memory stays the same for chapters of any length.
class AudioExport : public QObject
{
    Q_OBJECT
public:
    explicit AudioExport(QObject *parent = nullptr);
    // Cancels an export still running and waits for its threads.
    ~AudioExport() override;

    // Starts `job`; false when an export is running already.
    bool start(const ExportJob &job);
    // Stops the running export: the files being written are removed, those finished stay, and
    // `finished` comes with ExportOutcome::Cancelled.
    void cancel();
    bool isRunning() const { return m_running > 0; }

signals:
    // The earliest chapter being written, with the share of the whole export done.
    void progress(const ExportProgress &progress);
    // A file finished, with the length of the speech it holds. With several lanes a short
    // chapter may finish before a longer one begun earlier.
    void fileWritten(const QString &path, double seconds);
    // Once, when every lane has stopped: Failed when any failed (the others then finish the
    // chapter they are writing, which is kept when it is written whole, and take no other).
    void finished(ExportOutcome outcome, const QString &message);

private:
    struct Lane
    {
        QThread thread;
        ExportWorker *worker = nullptr; // while it runs; it goes with its thread
        std::shared_ptr<std::atomic<int>> cancelUpTo;
        ExportProgress progress;
    };

    void laneProgress(Lane *lane, const ExportProgress &report);
    void laneFinished(Lane *lane, ExportOutcome outcome, const QString &message);
    void stopLanes();

    std::vector<std::unique_ptr<Lane>> m_lanes;
    std::shared_ptr<std::atomic<int>> m_nextPart; // the index of the chapter the next lane takes
    int m_partCount = 0;
    int m_running = 0;
    bool m_cancelled = false;
    QString m_failure;        // the first lane's failure, if any
    bool m_failed = false;
    qint64 m_bytesTotal = 0;
    QElapsedTimer m_clock;
};
