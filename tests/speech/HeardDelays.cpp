#include "HeardDelays.h"
#include "EspeakVoice.h"
#include "SynthEngine.h"
#include "SynthWorker.h"
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int Rate = 22050;
constexpr int RecordLatencyMs = 10;
constexpr int LoudSample = 400;     // the null sink's monitor is exact zeros between words
constexpr int QuietGapMs = 120;     // the pause after a full stop is far longer
// Each word stands alone between full stops, so that its first sound is a clear onset.
const QString Words = QStringLiteral("一。二。三。四。五。六。七。八。九。十。");
constexpr int WordCount = 10;

// Indices of the first loud sample after each quiet gap in 16-bit samples.
QList<qint64> Onsets(const QByteArray &audio)
{
    QList<qint64> found;
    const auto *samples = reinterpret_cast<const qint16 *>(audio.constData());
    qint64 lastLoud = -Rate;
    for (qint64 i = 0; i < audio.size() / 2; ++i) {
        if (std::abs(samples[i]) < LoudSample)
            continue;
        if (i - lastLoud > qint64(QuietGapMs) * Rate / 1000)
            found.append(i);
        lastLoud = i;
    }
    return found;
}

// Records the sink's monitor with parec, noting when each block arrives, so that every recorded
// sample can be placed on the test's clock.
class TimedRecording : public QObject
{
public:
    TimedRecording(const QElapsedTimer &clock, const QString &server) : m_clock(clock)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("PULSE_LATENCY_MSEC")); // the voice's buffer, not the recorder's
        env.insert(QStringLiteral("PULSE_SERVER"), server);
        m_parec.setProcessEnvironment(env);
        connect(&m_parec, &QProcess::readyReadStandardOutput, this, &TimedRecording::collect);
    }
    ~TimedRecording() override
    {
        m_parec.kill();
        m_parec.waitForFinished(2000);
    }
    bool start()
    {
        m_parec.start(QStringLiteral("parec"),
                      {QStringLiteral("--device=@DEFAULT_MONITOR@"), QStringLiteral("--format=s16le"),
                       QStringLiteral("--rate=%1").arg(Rate), QStringLiteral("--channels=1"),
                       QStringLiteral("--latency-msec=%1").arg(RecordLatencyMs)});
        return m_parec.waitForStarted(3000)
            && QTest::qWaitFor([this] { return m_samples.size() > Rate; }, 8000); // settled
    }
    // The test clock's time, in milliseconds, at which the sink took the recorded sample
    // `index`: no later than any block that holds it arrived, less the samples after it in that
    // block. The blocks of the following three seconds are taken, so that a gap in the recording
    // elsewhere does not shift the answer.
    double takenAtMs(qint64 index) const
    {
        double best = std::numeric_limits<double>::max();
        for (const Block &block : m_blocks) {
            if (block.end > index && block.end <= index + 3 * Rate)
                best = std::min(best, block.arrivedNs / 1e6 - (block.end - index) * 1000.0 / Rate);
        }
        return best;
    }
    QList<qint64> onsets() const { return Onsets(m_samples); }

private:
    void collect()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_samples.append(m_parec.readAllStandardOutput());
        m_blocks.append({now, m_samples.size() / 2});
    }

    const QElapsedTimer &m_clock;
    QProcess m_parec;
    QByteArray m_samples;
    struct Block
    {
        qint64 arrivedNs;
        qint64 end; // index after its last sample
    };
    QList<Block> m_blocks;
};

// What the null sink holds between taking a sample (when the monitor records it) and playing
// it, as the server reports it, asked again and again without blocking.
class SinkLatency : public QObject
{
public:
    SinkLatency()
    {
        connect(&m_pactl, &QProcess::finished, this, [this] {
            const QString out = QString::fromUtf8(m_pactl.readAllStandardOutput());
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("\\bLatency: (\\d+) usec, configured")).match(out);
            if (m.hasMatch())
                m_samplesMs.append(m.captured(1).toDouble() / 1000);
            if (m_running)
                QTimer::singleShot(100, this, &SinkLatency::ask);
        });
    }
    ~SinkLatency() override { stop(); }
    void start()
    {
        m_running = true;
        ask();
    }
    void stop()
    {
        m_running = false;
        m_pactl.waitForFinished(3000);
    }
    double medianMs() const { return m_samplesMs.isEmpty() ? 0 : Median(m_samplesMs); }

private:
    QList<double> m_samplesMs;
    void ask()
    {
        if (m_running)
            m_pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sinks")});
    }

    QProcess m_pactl;
    bool m_running = false;
};

}

double Median(QList<double> values)
{
    return Percentile(std::move(values), 0.5);
}

double Percentile(QList<double> values, double share)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min<qsizetype>(values.size() - 1, qsizetype(share * values.size()))];
}

HeardDelays MeasureHeardDelays(int bufferMs)
{
    HeardDelays result;
    QElapsedTimer clock;
    clock.start();
    TimedRecording recording(clock, QString::fromUtf8(qgetenv("PULSE_SERVER")));
    if (!recording.start()) {
        result.failure = QStringLiteral("the recording did not start");
        return result;
    }
    // libpulse gives every stream of this process a buffer of this length.
    qputenv("PULSE_LATENCY_MSEC", QByteArray::number(bufferMs));
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    // The synthesised audio shows where each word's first sample lies after the onset of its
    // sound (a word may begin with a quiet stretch).
    QByteArray synthesised;
    QObject receiver;
    QObject::connect(SynthEngine::shared()->worker(), &SynthWorker::synthesized, &receiver,
            [&](quint64, int, const QByteArray &samples) { synthesised.append(samples); });
    QList<double> wordAtMs;
    QList<qint64> wordFrames;
    bool ended = false;
    QObject::connect(&voice, &SpeechVoice::Word, &receiver, [&](int, qint64 streamPosition) {
        wordAtMs.append(clock.nsecsElapsed() / 1e6);
        wordFrames.append(streamPosition / 2);
    });
    QObject::connect(&voice, &SpeechVoice::EndStream, &receiver, [&] { ended = true; });
    voice.Speak(Words, SpeechVoice::SVSFlagsAsync);
    SinkLatency sinkLatency;
    sinkLatency.start();
    const bool spoke = QTest::qWaitFor([&] { return ended; }, 30000);
    sinkLatency.stop();
    qunsetenv("PULSE_LATENCY_MSEC");
    QTest::qWait(200);

    const QList<qint64> onsets = recording.onsets();
    const QList<qint64> synthesisedOnsets = Onsets(synthesised);
    if (!spoke || wordAtMs.size() != WordCount || onsets.size() != WordCount
        || synthesisedOnsets.size() != WordCount) {
        result.failure = QStringLiteral("%1 words, %2 events, %3 heard, %4 synthesised")
                             .arg(WordCount).arg(wordAtMs.size()).arg(onsets.size())
                             .arg(synthesisedOnsets.size());
        return result;
    }
    const double sinkMs = sinkLatency.medianMs();
    result.sinkMs = sinkMs;
    QString report = QStringLiteral("sink %1 ms; event minus first sound heard, ms:").arg(sinkMs, 0, 'f', 0);
    for (int i = 0; i < WordCount; ++i) {
        const double wordAfterOnsetMs = (wordFrames[i] - synthesisedOnsets[i]) * 1000.0 / Rate;
        const double takenMs = recording.takenAtMs(onsets[i]);
        const double heardMs = takenMs + sinkMs + wordAfterOnsetMs;
        const double error = wordAtMs[i] - heardMs;
        result.errorsMs.append(error);
        report += QStringLiteral(" %1").arg(error, 0, 'f', 0);
    }
    result.report = report;
    result.measured = true;
    return result;
}
