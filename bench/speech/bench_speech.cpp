// Prints how fast the speech voice starts, how fast espeak-ng synthesises Mandarin, and how much
// CPU time speaking costs. With a sound server (eval "$(scripts/test-services.sh)") the figures
// include real playback; without one, the silent output.
#include "EspeakVoice.h"
#include "PulseOutput.h"
#include "SynthEngine.h"
#include "SynthWorker.h"
#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <sys/resource.h>
#include <algorithm>
#include <optional>
#include <utility>
#include <cstdio>
#include <vector>

namespace {
const QString Paragraph = QStringLiteral(
    "从前有一座山，山里有一座庙，庙里有一个老和尚在给小和尚讲故事。他说：天下的事情，"
    "看起来很难，只要一步一步地做，总有做完的一天！你明白了吗？");

// `count` characters of Chinese text, punctuation included.
QString chineseText(int count)
{
    QString text;
    while (text.size() < count)
        text += Paragraph;
    return text.left(count);
}

// Runs the event loop until `done` is called or `timeoutMs` pass; no polling, so the figures
// measure the voice, not the wait.
class Waiter
{
public:
    void done() { m_loop.quit(); }
    void wait(int timeoutMs)
    {
        QTimer::singleShot(timeoutMs, &m_loop, &QEventLoop::quit);
        m_loop.exec();
    }

private:
    QEventLoop m_loop;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Synthesis
{
    double firstPieceMs = 0;
    double totalMs = 0;
    double audioSeconds = 0;
};

Synthesis synthesise(SynthEngine &engine, const QString &text, int stream)
{
    Synthesis result;
    qint64 samples = 0;
    Waiter waiter;
    QElapsedTimer clock;
    QObject context;
    QObject::connect(engine.worker(), &SynthWorker::synthesized, &context,
                     [&](quint64, int number, const QByteArray &audio, const QVector<WordMark> &,
                         bool last) {
                         if (number != stream)
                             return;
                         if (samples == 0 && !audio.isEmpty())
                             result.firstPieceMs = double(clock.nsecsElapsed()) / 1e6;
                         samples += audio.size() / 2;
                         if (last) {
                             result.totalMs = double(clock.nsecsElapsed()) / 1e6;
                             waiter.done();
                         }
                     });
    clock.start();
    engine.synthesize({0, stream, text, SpeechSettings(), nullptr, {}, {}, {}, {}});
    waiter.wait(60000);
    result.audioSeconds = double(samples) / engine.sampleRate();
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds from Speak to the first word heard: the first word starts at the first sample.
double speakToFirstHeardMs(EspeakVoice::Output output, const QString &text)
{
    EspeakVoice voice(SpeechSettings(), output);
    QElapsedTimer clock;
    double heardMs = -1;
    Waiter waiter;
    QObject::connect(&voice, &SpeechVoice::Word, &voice, [&] {
        if (heardMs < 0)
            heardMs = double(clock.nsecsElapsed()) / 1e6;
        waiter.done();
    });
    clock.start();
    voice.Speak(text, SpeechVoice::SVSFlagsAsync);
    waiter.wait(10000);
    voice.Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    return heardMs;
}

// Milliseconds from a change of speed, a few words into a text, to the first word heard at the new
// speed (the first one the voice made again).
double speedChangeToNewRateMs(EspeakVoice::Output output, const QString &text)
{
    EspeakVoice voice(SpeechSettings(), output);
    QElapsedTimer clock;
    int words = 0;
    std::optional<std::pair<int, int>> taken; // stream and character the new speed counts from
    double heardMs = -1;
    Waiter waiter;
    QObject::connect(&voice, &EspeakVoice::rateTaken, &voice, [&](int stream, int at) { taken = {stream, at}; });
    QObject::connect(&voice, &SpeechVoice::Word, &voice, [&](int stream, qint64, int at, int) {
        if (++words == 5) {
            clock.start();
            voice.setRateFactor(2.0);
        } else if (taken && heardMs < 0 && std::make_pair(stream, at) >= *taken) {
            heardMs = double(clock.nsecsElapsed()) / 1e6;
            waiter.done();
        }
    });
    voice.Speak(text, SpeechVoice::SVSFlagsAsync);
    waiter.wait(20000);
    voice.Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    return heardMs;
}

// Milliseconds from opening the voice's own connection to the sound server (what it plays
// through) until it can play, or until it has failed.
double ownConnectionMs(int sampleRate, bool *ready)
{
    QElapsedTimer clock;
    clock.start();
    PulseOutput output(sampleRate);
    while (output.isSilent() && !output.hasFailed())
        QThread::usleep(100);
    *ready = !output.isSilent();
    return double(clock.nsecsElapsed()) / 1e6;
}

void printOwnConnection(int sampleRate, const char *label)
{
    std::vector<double> times;
    bool ready = false;
    for (int i = 0; i < 10; ++i)
        times.push_back(ownConnectionMs(sampleRate, &ready));
    std::printf("Own sound-server connection, %s: %s after median %.2f ms\n", label,
                ready ? "ready to play" : "failed", median(times));
}

void cpuPerMinute(EspeakVoice::Output output, const QString &text, const char *label)
{
    EspeakVoice voice(SpeechSettings(), output);
    Waiter waiter;
    QObject::connect(&voice, &SpeechVoice::EndStream, &voice, [&] { waiter.done(); });
    QElapsedTimer clock;
    const double cpuBefore = cpuSeconds();
    clock.start();
    voice.Speak(text, SpeechVoice::SVSFlagsAsync);
    waiter.wait(300000);
    const double wallSeconds = double(clock.elapsed()) / 1000;
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("CPU per minute of speech (%s): %.3f s CPU over %.1f s of speech = %.3f CPU-s/min\n",
                label, cpu, wallSeconds, cpu / wallSeconds * 60);
    // A row of the table that scripts/bench.sh prints: the CPU time beside 3 % of one core over
    // the same wall time.
    std::printf("TABLE|CPU reading aloud (%s) / 3 %% of one core|%.3f|%.3f|s|1.00\n", label, cpu,
                wallSeconds * 0.03);
}
}

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QCoreApplication app(argc, argv);
    const bool sound = !QMediaDevices::defaultAudioOutput().isNull();
    std::printf("sound server: %s\n", sound ? "reachable" : "none (silent output only)");
    const std::shared_ptr<SynthEngine> engine = SynthEngine::shared();

    const QString piece = chineseText(50);  // 100 bytes in GBK
    std::vector<double> firstPiece;
    for (int i = 0; i < 20; ++i)
        firstPiece.push_back(synthesise(*engine, piece, 1000 + i).firstPieceMs);
    std::printf("Speak of a 100-byte Chinese piece to its first synthesised samples: median %.2f ms\n",
                median(firstPiece));

    std::vector<double> heardSilent;
    std::vector<double> heardSound;
    for (int i = 0; i < 5; ++i) {
        heardSilent.push_back(speakToFirstHeardMs(EspeakVoice::Output::Silent, piece));
        if (sound)
            heardSound.push_back(speakToFirstHeardMs(EspeakVoice::Output::Audio, piece));
    }
    std::printf("Speak of a 100-byte Chinese piece to its first sample played: silent output "
                "median %.2f ms", median(heardSilent));
    if (sound)
        std::printf(", sound server median %.2f ms", median(heardSound));
    std::printf("\n");

    std::vector<double> speedSilent;
    std::vector<double> speedSound;
    for (int i = 0; i < 5; ++i) {
        speedSilent.push_back(speedChangeToNewRateMs(EspeakVoice::Output::Silent, Paragraph));
        if (sound)
            speedSound.push_back(speedChangeToNewRateMs(EspeakVoice::Output::Audio, Paragraph));
    }
    std::printf("TABLE|Speed change to the first word at the new speed, silent output (median of 5) / 300 ms|%.1f|300.0|ms|1.00\n",
                median(speedSilent));
    if (sound)
        std::printf("TABLE|Speed change to the first word at the new speed, sound server (median of 5) / 300 ms|%.1f|300.0|ms|1.00\n",
                    median(speedSound));

    const Synthesis thousand = synthesise(*engine, chineseText(1000), 2000);
    std::printf("Synthesis of 1000 Chinese characters: %.1f ms for %.1f s of audio, real-time "
                "factor %.5f\n", thousand.totalMs, thousand.audioSeconds,
                thousand.totalMs / 1000 / thousand.audioSeconds);

    if (sound)
        printOwnConnection(engine->sampleRate(), "server reachable");
    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/tarrowin-no-server");
    printOwnConnection(engine->sampleRate(), "no server at the address");
    qputenv("PULSE_SERVER", server);
    if (server.isNull())
        qunsetenv("PULSE_SERVER");

    const QString minute = chineseText(240);
    cpuPerMinute(EspeakVoice::Output::Silent, minute, "silent output");
    if (sound)
        cpuPerMinute(EspeakVoice::Output::Audio, minute, "sound server");
    return 0;
}
