#include "SynthWorker.h"
#include "MandarinDictionary.h"
#include "MandarinReader.h"
#include "SampleFormat.h"
#include "SpeechLog.h"
#include "SpeechPauses.h"
#include "SpeechText.h"
#include "RuledText.h"
#include <espeak-ng/speak_lib.h>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {
constexpr int BufferMilliseconds = 50;     // audio per callback of the library
constexpr int PieceMilliseconds = 200;     // audio per piece handed on
constexpr int SilenceLevel = 16;           // samples this quiet before and after a run are its silence
const char *const FallbackVoices[] = {"cmn-latn-pinyin", "cmn"};

// The text being synthesised, run by run. Only the synthesis thread touches it, through the
// library's callback, which has no room for a context pointer of its own on every call.
struct Job
{
    Job(const SynthRequest &request, SynthWorker &worker, const SpeechText &text, int sampleRate)
        : request(request), worker(worker), cleaner(text),
          samplesPerPiece(sampleRate * PieceMilliseconds / 1000), sampleRate(sampleRate)
    {
    }

    const SynthRequest &request;
    SynthWorker &worker;
    WordEventCleaner cleaner;
    int samplesPerPiece;
    int sampleRate;
    QByteArray samples;           // audio of the stream not yet handed on
    QVector<WordMark> words;
    qint64 streamFrames = 0;      // frames of the stream made so far
    int runOffset = 0;            // code points of the spoken text before the run
    std::vector<qint16> run;      // the run's audio as the voice made it
    QVector<WordMark> runWords;   // its words, in frames from the run's start

    void flush(bool finished)
    {
        emit worker.synthesized(request.voiceId, request.stream, samples, words, finished);
        samples.clear();
        words.clear();
    }

    // The run's audio without the voice's own silence before and after it, then the pause the
    // listener set: the gap between two runs is the pause, whatever the speed.
    void finishRun(int pauseMs)
    {
        qint64 lead = 0;
        const qint64 size = qint64(run.size());
        while (lead < size && std::abs(run[size_t(lead)]) <= SilenceLevel)
            ++lead;
        qint64 end = size;
        while (end > lead && std::abs(run[size_t(end - 1)]) <= SilenceLevel)
            --end;
        for (WordMark word : runWords) {
            word.frame = streamFrames + std::clamp<qint64>(word.frame - lead, 0, end - lead);
            words.append(word);
        }
        samples.append(reinterpret_cast<const char *>(run.data() + lead), SampleFormat::Bytes(end - lead));
        const qint64 pause = qint64(sampleRate) * pauseMs / 1000;
        samples.append(QByteArray(SampleFormat::Bytes(pause), '\0'));
        streamFrames += end - lead + pause;
        run.clear();
        runWords.clear();
        if (samples.size() >= SampleFormat::Bytes(samplesPerPiece))
            flush(false);
    }
};
Job *s_job = nullptr;

int onSynthesized(short *wav, int count, espeak_EVENT *events)
{
    Job &job = *s_job;
    for (; events->type != espeakEVENT_LIST_TERMINATED; ++events) {
        if (events->type != espeakEVENT_WORD)
            continue;
        if (const auto word = job.cleaner.accept(job.runOffset + events->text_position, events->length))
            job.runWords.append({events->sample, word->position, word->length});
    }
    if (wav && count > 0)
        job.run.insert(job.run.end(), wav, wav + count);
    return job.request.cancelled() ? 1 : 0;
}

bool isMandarin(const VoiceInfo &voice)
{
    return voice.language.startsWith(QLatin1String("cmn"));
}
}

int SynthWorker::initialize()
{
    static const int rate = [] {
        const int result = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, BufferMilliseconds, nullptr,
                                             espeakINITIALIZE_DONT_EXIT);
        if (result > 0)
            espeak_SetSynthCallback(onSynthesized);
        else
            qCWarning(lcSpeech, "espeak-ng cannot start (error %d): nothing can be spoken; is its data installed?",
                      result);
        return std::max(result, 0);
    }();
    m_ready = rate > 0;
    m_sampleRate = rate;
    return rate;
}

void SynthWorker::apply(const SpeechSettings &settings)
{
    if (m_applied && settings == m_current)
        return;
    if (espeak_SetVoiceByName(settings.voice.toUtf8().constData()) != EE_OK) {
        for (const char *fallback : FallbackVoices) {
            if (espeak_SetVoiceByName(fallback) == EE_OK)
                break;
        }
    }
    const espeak_VOICE *voice = espeak_GetCurrentVoice();
    const QByteArray language = voice && voice->languages ? QByteArray(voice->languages + 1) : QByteArray();
    m_mandarin = language.startsWith("cmn");
    m_readsPinyin = language == "cmn-latn-pinyin";
    espeak_SetParameter(espeakRATE, settings.rate, 0);
    espeak_SetParameter(espeakPITCH, settings.pitch, 0);
    espeak_SetParameter(espeakVOLUME, settings.volume, 0);
    m_current = settings;
    m_applied = true;
}

void SynthWorker::synthesize(const SynthRequest &request)
{
    if (request.cancelled())
        return;
    if (m_ready)
        apply(request.settings);
    // A Mandarin voice hears the words as the reading layer reads them; without the dictionary
    // (or for another language) it reads the text itself.
    const MandarinDictionary *dictionary = m_mandarin ? MandarinDictionary::shared() : nullptr;
    std::optional<MandarinReader> reader;
    if (dictionary)
        reader.emplace(*dictionary, &m_listenerReadings.readings(request.readingsFiles, *dictionary));
    // The listener's rules first: the voice says what they leave, and its words mark the text
    // they were applied to.
    const RuledText ruled = m_rules.rules(request.rulesFiles)
                                .apply(request.textBefore + request.text + request.textAfter, RuleScope::Speech)
                                .window(int(request.textBefore.size()), int(request.text.size()));
    for (const QString &notice : m_rules.takeNotices())
        emit rulesNotice(request.voiceId, notice);
    SpeechText text = PrepareSpeechText(ruled.text(), reader ? &*reader : nullptr, m_readsPinyin);
    MapSourcesBack(text, ruled);
    Job job(request, *this, text, m_sampleRate);
    if (m_ready && !text.utf8.isEmpty()) {
        s_job = &job;
        for (const SpeechRun &run : SplitIntoRuns(text, request.text)) {
            if (request.cancelled())
                break;
            if (!IsSpoken(run, request.settings))
                continue;
            const QByteArray utf8 = QString::fromUcs4(text.codePoints.constData() + run.from, run.to - run.from).toUtf8();
            job.runOffset = run.from;
            espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                         nullptr, nullptr);
            job.finishRun(PauseMilliseconds(run.pause, request.settings));
        }
        s_job = nullptr;
    }
    if (!request.cancelled())
        job.flush(true);
}

QList<VoiceInfo> SynthWorker::voices() const
{
    QList<VoiceInfo> result;
    if (!m_ready)
        return result;
    for (const espeak_VOICE *const *voice = espeak_ListVoices(nullptr); *voice; ++voice) {
        // `languages` is a list of a priority byte followed by a language name.
        const char *language = (*voice)->languages ? (*voice)->languages + 1 : "";
        result.append({QString::fromUtf8((*voice)->identifier), QString::fromUtf8((*voice)->name),
                       QString::fromUtf8(language)});
    }
    std::stable_sort(result.begin(), result.end(), [](const VoiceInfo &a, const VoiceInfo &b) {
        if (isMandarin(a) != isMandarin(b))
            return isMandarin(a);
        if (isMandarin(a))
            return a.language.size() > b.language.size(); // the pinyin voice before plain cmn
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return result;
}
