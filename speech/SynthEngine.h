#pragma once
#include "SynthTypes.h"
#include <QObject>
#include <QThread>
#include <memory>

class SynthWorker;

// The one synthesis thread of the process, shared by every voice; it starts with the first voice
// and ends with the application (or after it, with the last voice). espeak-ng is initialised once
// per process and never terminated: its termination waits for an internal thread that a
// synchronous synthesiser never starts, and hangs.
class SynthEngine
{
public:
    static std::shared_ptr<SynthEngine> shared();
    ~SynthEngine();
    SynthEngine(const SynthEngine &) = delete;
    SynthEngine &operator=(const SynthEngine &) = delete;

    // 0 when espeak-ng could not start (no data files): every text then ends at once, unspoken.
    int sampleRate() const { return m_sampleRate; }
    // Returns at once; the results come through worker()'s `synthesized` signal.
    void synthesize(const SynthRequest &request);
    // The voices espeak-ng offers, Mandarin first. Waits for the text being synthesised.
    QList<VoiceInfo> voices();
    const SynthWorker *worker() const { return m_worker; }
    // A number of its own for each client of the engine (a voice, an export), so that each
    // takes only its own results from the worker's `synthesized` signal.
    static quint64 newClientId();

private:
    SynthEngine();

    QThread m_thread;
    SynthWorker *m_worker = nullptr;
    int m_sampleRate = 0;
};
