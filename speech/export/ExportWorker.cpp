#include "ExportWorker.h"
#include "SampleFormat.h"
#include "ExportNaming.h"
#include "ListenerReadings.h"
#include "ProgramFolder.h"
#include "RuleFile.h"
#include "SynthEngine.h"
#include "SynthWorker.h"
#include <QDir>
#include <QFileInfo>
#include <limits>

namespace {
constexpr int PiecesInFlight = 2;    // one synthesised while the one before is encoded
constexpr qint64 ReportIntervalMs = 100;
}

ExportWorker::ExportWorker(const ExportJob &job, std::shared_ptr<std::atomic<int>> nextPart,
                           std::shared_ptr<std::atomic<int>> cancelUpTo)
    : m_job(job),
      m_engine(SynthEngine::shared()),
      m_clientId(SynthEngine::newClientId()),
      m_nextPart(std::move(nextPart)),
      m_cancelUpTo(std::move(cancelUpTo))
{
    m_job.settings = ExportSpeechSettings(job.settings);
    // The novel is read with the listener's own readings, as live reading reads it.
    m_readingsFiles = ListenerReadingsFiles(SideFileToRead(job.textPath, NovelReadingsSuffix));
    m_rulesFiles = TextRuleFiles(SideFileToRead(job.textPath, NovelRulesSuffix));
    connect(m_engine->worker(), &SynthWorker::synthesized, this, &ExportWorker::onSynthesized,
            Qt::QueuedConnection);
}

ExportWorker::~ExportWorker()
{
    m_cancelUpTo->store(std::numeric_limits<int>::max());
}

void ExportWorker::run()
{
    m_sinceReport.start();
    if (m_engine->sampleRate() <= 0)
        return end(ExportOutcome::Failed, QStringLiteral("语音合成无法启动"));
    if (!QFileInfo(m_job.textPath).isFile() || !QFileInfo(m_job.textPath).isReadable())
        return end(ExportOutcome::Failed, QStringLiteral("无法读取“%1”").arg(m_job.textPath));
    if (!QDir().mkpath(m_job.folder))
        return end(ExportOutcome::Failed, QStringLiteral("无法创建文件夹“%1”").arg(m_job.folder));
    startPart();
}

void ExportWorker::cancel()
{
    end(ExportOutcome::Cancelled, QString());
}

QString ExportWorker::partFileName() const
{
    const ExportPart &part = m_job.parts[m_partIndex];
    return ExportFileName(part.number, std::max(m_job.chapterCount, part.number), part.title,
                          m_job.format);
}

void ExportWorker::startPart()
{
    if (m_ended)
        return;
    m_partIndex = m_nextPart->fetch_add(1);
    if (m_partIndex >= m_job.parts.size())
        return end(ExportOutcome::Written, QString());
    const ExportPart &part = m_job.parts[m_partIndex];
    const QString path = QDir(m_job.folder).filePath(partFileName());
    m_writer = std::make_unique<AudioFileWriter>(
        path, m_job.format, m_engine->sampleRate(),
        AudioTags{part.title, m_job.album, part.number});
    if (!m_writer->isGood())
        return end(ExportOutcome::Failed,
                   QStringLiteral("无法写入“%1”：%2").arg(path, m_writer->errorString()));
    m_reader.emplace(Novel{m_job.textPath, m_job.encoding}, part.start, part.end, ExportPieceBytes);
    reportProgress(true);
    requestPieces();
}

void ExportWorker::requestPieces()
{
    while (m_inFlight.size() < PiecesInFlight) {
        const std::optional<QString> text = m_reader->next();
        if (!text)
            break;
        const int stream = ++m_lastStream;
        m_inFlight.append({stream, m_reader->position()});
        m_engine->synthesize({m_clientId, stream, *text, m_job.settings, m_cancelUpTo, m_readingsFiles, m_rulesFiles, {}, {}});
    }
    if (m_reader->failed())
        return end(ExportOutcome::Failed, QStringLiteral("无法读取“%1”").arg(m_job.textPath));
    if (m_inFlight.isEmpty())
        finishPart();
}

void ExportWorker::onSynthesized(quint64 clientId, int stream, const QByteArray &samples,
                                 const QVector<WordMark> &, bool last)
{
    // Pieces still queued when a cancel came are dropped unwritten.
    if (clientId != m_clientId || m_ended || m_inFlight.isEmpty()
        || m_inFlight.first().first != stream || stream <= m_cancelUpTo->load())
        return;
    const qint64 frames = SampleFormat::Frames(samples.size());
    m_partSamples += frames;
    if (!m_writer->write(reinterpret_cast<const qint16 *>(samples.constData()), frames))
        return end(ExportOutcome::Failed, QStringLiteral("无法写入“%1”：%2")
                                              .arg(QDir(m_job.folder).filePath(partFileName()),
                                                   m_writer->errorString()));
    if (!last)
        return;
    const BytePos reached = m_inFlight.takeFirst().second;
    m_bytesDone = m_bytesBefore + (reached - m_job.parts[m_partIndex].start);
    reportProgress(false);
    requestPieces();
}

void ExportWorker::finishPart()
{
    const QString path = QDir(m_job.folder).filePath(partFileName());
    if (!m_writer->commit())
        return end(ExportOutcome::Failed,
                   QStringLiteral("无法写入“%1”：%2").arg(path, m_writer->errorString()));
    m_writer.reset();
    m_bytesBefore += ExportPartBytes(m_job.parts[m_partIndex]);
    m_bytesDone = m_bytesBefore;
    emit fileWritten(path, double(m_partSamples) / m_engine->sampleRate());
    m_partSamples = 0;
    startPart();
}

void ExportWorker::reportProgress(bool now)
{
    if (!now && m_sinceReport.elapsed() < ReportIntervalMs)
        return;
    m_sinceReport.restart();
    ExportProgress report;
    report.partIndex = m_partIndex;
    report.fileName = partFileName();
    report.bytesDone = m_bytesDone;
    emit progress(report);
}

void ExportWorker::end(ExportOutcome outcome, const QString &message)
{
    if (m_ended)
        return;
    m_ended = true;
    m_cancelUpTo->store(std::numeric_limits<int>::max());
    m_writer.reset(); // an unfinished file is removed
    m_inFlight.clear();
    emit finished(outcome, message);
}
