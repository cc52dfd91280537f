#pragma once
#include "ExportJob.h"
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

class ExportWorker;

// Exports chapters of a novel to audio files in a thread of its own, one export at a time; its
// signals arrive in the thread that made it. Reading aloud goes on meanwhile: both share the
// one synthesis thread, piece by piece.
class AudioExport : public QObject
{
    Q_OBJECT
public:
    explicit AudioExport(QObject *parent = nullptr);
    // Cancels an export still running and waits for its thread.
    ~AudioExport() override;

    // Starts `job`; false when an export is running already.
    bool start(const ExportJob &job);
    // Stops the running export: the file being written is removed, those finished stay, and
    // `finished` comes with ExportOutcome::Cancelled.
    void cancel();
    bool isRunning() const { return m_worker != nullptr; }

signals:
    void progress(const ExportProgress &progress);
    // A file finished, with the length of the speech it holds.
    void fileWritten(const QString &path, double seconds);
    void finished(ExportOutcome outcome, const QString &message);

private:
    void onFinished(ExportOutcome outcome, const QString &message);

    QThread m_thread;
    ExportWorker *m_worker = nullptr; // the running export's; it goes with its thread
    std::shared_ptr<std::atomic<int>> m_cancelUpTo;
};
