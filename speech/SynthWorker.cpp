#include "SynthWorker.h"
#include "MandarinDictionary.h"
#include "MandarinReader.h"
#include "SampleFormat.h"
#include "SpeechLog.h"
#include "SpeechText.h"
#include <espeak-ng/speak_lib.h>
#include <algorithm>
#include <optional>

namespace {
constexpr int BufferMilliseconds = 50;     // audio per callback of the library
constexpr int PieceMilliseconds = 200;     // audio per piece handed on
const char *const FallbackVoices[] = {"cmn-latn-pinyin", "cmn"};

// The text being synthesised. Only the synthesis thread touches it, through the library's
// callback, which has no room for a context pointer of its own on every call.
struct Job
{
    const SynthRequest &request;
    SynthWorker &worker;
    WordEventCleaner cleaner;
    int samplesPerPiece;
    QByteArray samples;
    QVector<WordMark> words;

    void flush(bool finished)
    {
        emit worker.synthesized(request.voiceId, request.stream, samples, words, finished);
        samples.clear();
        words.clear();
    }
};
Job *s_job = nullptr;

int onSynthesized(short *wav, int count, espeak_EVENT *events)
{
    Job &job = *s_job;
    for (; events->type != espeakEVENT_LIST_TERMINATED; ++events) {
        if (events->type != espeakEVENT_WORD)
            continue;
        if (const auto word = job.cleaner.accept(events->text_position, events->length))
            job.words.append({events->sample, word->position, word->length});
    }
    if (wav && count > 0)
        job.samples.append(reinterpret_cast<const char *>(wav), SampleFormat::Bytes(count));
    if (job.samples.size() >= SampleFormat::Bytes(job.samplesPerPiece))
        job.flush(false);
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
    const SpeechText text = PrepareSpeechText(request.text, reader ? &*reader : nullptr, m_readsPinyin);
    Job job{request, *this, WordEventCleaner(text), m_sampleRate * PieceMilliseconds / 1000, {}, {}};
    if (m_ready && !text.utf8.isEmpty()) {
        s_job = &job;
        espeak_Synth(text.utf8.constData(), size_t(text.utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, nullptr);
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
