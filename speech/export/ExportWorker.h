#pragma once
#include "AudioFileWriter.h"
#include "ExportJob.h"
#include "TextRangeReader.h"
#include <QElapsedTimer>
#include <QObject>
#include <QVector>
#include <atomic>
#include <memory>
#include <optional>

class SynthEngine;
struct WordMark;

// Runs one lane of an export in the thread it lives in: takes the next part no lane has taken,
// reads its text a piece at a time, has the shared synthesis thread speak it, and writes the
// audio into the part's file; then the next part, until none is left. At most a few pieces are
// in synthesis at once, so memory stays the same for a chapter of any length, and the voice's
// own texts (reading aloud) and the other lanes' take their turn between them.
class ExportWorker : public QObject
{
    Q_OBJECT
public:
    // `nextPart` is the index of the part the next lane to ask takes, shared by the lanes.
    ExportWorker(const ExportJob &job, std::shared_ptr<std::atomic<int>> nextPart,
                 std::shared_ptr<std::atomic<int>> cancelUpTo);
    ~ExportWorker() override;

    void run();
    // Abandons the file being written; the files finished before stay.
    void cancel();

signals:
    // The part being written and the bytes this lane has done (no total, no time left).
    void progress(const ExportProgress &progress);
    void fileWritten(const QString &path, double seconds);
    void finished(ExportOutcome outcome, const QString &message);

private:
    void onSynthesized(quint64 clientId, int stream, const QByteArray &samples,
                       const QVector<WordMark> &words, bool last);
    void startPart();
    void requestPieces();
    void finishPart();
    void reportProgress(bool now);
    void end(ExportOutcome outcome, const QString &message);
    QString partFileName() const;

    ExportJob m_job;
    QStringList m_readingsFiles;
    QStringList m_rulesFiles;
    std::shared_ptr<SynthEngine> m_engine;
    quint64 m_clientId;
    std::shared_ptr<std::atomic<int>> m_nextPart;
    std::shared_ptr<std::atomic<int>> m_cancelUpTo;
    int m_partIndex = 0;       // the part being written
    std::unique_ptr<AudioFileWriter> m_writer;
    std::optional<TextRangeReader> m_reader;
    int m_lastStream = 0;
    // Per piece in synthesis, in order: its stream and the byte after it in the novel.
    QVector<QPair<int, BytePos>> m_inFlight;
    qint64 m_partSamples = 0;  // synthesised into the file being written
    qint64 m_bytesBefore = 0;  // bytes of the parts this lane has written
    qint64 m_bytesDone = 0;    // bytes this lane has spoken into files
    QElapsedTimer m_sinceReport;
    bool m_ended = false;
};
