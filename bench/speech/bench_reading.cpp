// Prints what the reading layer costs: how soon its dictionary is ready, the memory it adds, the
// time it takes for a whole novel and for one piece against the voice's synthesis of that piece,
// and the share of everyday polyphone words in sentences it reads as a careful speaker does.
#include "EncodingDetection.h"
#include "MandarinDictionary.h"
#include "MandarinReader.h"
#include "SpeechText.h"
#include "SynthWorker.h"
#include "mdlFileBinText.h"
#include <QCoreApplication>
#include <espeak-ng/speak_lib.h>
#include <QElapsedTimer>
#include <QFile>
#include <malloc.h>
#include <cstdio>

namespace {
// Resident memory of the process, in megabytes.
double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 / (1024 * 1024) : 0;
}

QString readNovel(const QString &path)
{
    return mdlFileBinText::ReadTextFile(Novel{path, DetectFileEncoding(path)}).value_or(QString());
}

// Rows wrong and rows in all of the sentence list.
std::pair<int, int> polyphoneMisses(const MandarinReader &reader)
{
    QFile file(QStringLiteral(TARROWIN_SOURCE_DIR "/tests/speech/data/polyphones.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {0, 0};
    int rows = 0;
    int wrong = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        if (line.startsWith(u'#') || fields.size() != 3)
            continue;
        ++rows;
        const int at = int(fields[0].indexOf(fields[1]));
        if (reader.pinyinOf(fields[0], at, int(fields[1].size())) != fields[2]) {
            ++wrong;
            std::printf("read otherwise: %s (%s) %s\n", qPrintable(fields[1]), qPrintable(fields[0]),
                        qPrintable(reader.pinyinOf(fields[0], at, int(fields[1].size()))));
        }
    }
    return {wrong, rows};
}

// The voice's own phonemes for a text.
QByteArray phonemes(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const void *at = utf8.constData();
    QByteArray result;
    while (at)
        result += QByteArray(espeak_TextToPhonemes(&at, espeakCHARS_UTF8, 0)) + ' ';
    return result;
}

// Rows of the sentence list that the voice reads right on its own: its phonemes for the word's
// characters are those it gives the expected pinyin. Needs espeak-ng started.
int rightWithoutTheLayer()
{
    QFile file(QStringLiteral(TARROWIN_SOURCE_DIR "/tests/speech/data/polyphones.tsv"));
    if (!file.open(QIODevice::ReadOnly) || espeak_SetVoiceByName("cmn-latn-pinyin") != EE_OK)
        return 0;
    int right = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        if (!line.startsWith(u'#') && fields.size() == 3 && phonemes(fields[1]) == phonemes(fields[2]))
            ++right;
    }
    return right;
}

// Milliseconds the voice takes to synthesise `text`, the reading layer included.
double synthesisMs(const QString &text)
{
    SynthWorker worker;
    if (worker.initialize() <= 0)
        return 0;
    qint64 bytes = 0;
    QObject::connect(&worker, &SynthWorker::synthesized,
                     [&](quint64, int, const QByteArray &samples) { bytes += samples.size(); });
    SynthRequest request{1, 1, text, SpeechSettings(), nullptr, {}, {}, {}, {}};
    worker.synthesize(request); // the voice and its data loaded before timing
    bytes = 0;
    QElapsedTimer clock;
    clock.start();
    request.stream = 2;
    worker.synthesize(request);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    std::printf("synthesis: %.1f s of speech in %.0f ms\n", double(bytes) / 2 / worker.initialize(), ms);
    return ms;
}
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double before = residentMegabytes();
    QElapsedTimer clock;
    clock.start();
    const MandarinDictionary *dictionary = MandarinDictionary::shared();
    const double openMs = double(clock.nsecsElapsed()) / 1e6;
    if (!dictionary) {
        std::printf("no dictionary at %s\n", qPrintable(MandarinDictionary::sharedPath()));
        return 1;
    }
    const MandarinReader reader(*dictionary);

    const QString novel = readNovel(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"));
    clock.restart();
    qsizetype words = reader.read(novel).size();
    const double novelSeconds = double(clock.nsecsElapsed()) / 1e9;
    malloc_trim(0);
    const double added = residentMegabytes() - before;

    const QString piece = novel.mid(novel.size() / 3, 500);
    const int rounds = 20;
    clock.restart();
    for (int i = 0; i < rounds; ++i)
        words += PrepareSpeechText(piece, &reader, true).codePointCount() > 0 ? 1 : 0;
    const double pieceMs = double(clock.nsecsElapsed()) / 1e6 / rounds;
    const double synthMs = synthesisMs(piece);
    const auto [wrong, rows] = polyphoneMisses(reader);

    std::printf("%lld words in xiyouji\n", static_cast<long long>(words));
    std::printf("polyphone words read right: %d of %d with the reading layer, %d by the voice alone\n",
                rows - wrong, rows, rightWithoutTheLayer());
    std::printf("TABLE|Mandarin dictionary ready after start / 50 ms|%.1f|50|ms|1.00\n", openMs);
    std::printf("TABLE|Resident memory the reading layer adds (xiyouji read) / 20 MB|%.1f|20|MB|1.00\n", added);
    std::printf("TABLE|Whole xiyouji through the reading layer / 1 s|%.2f|1|s|1.00\n", novelSeconds);
    std::printf("TABLE|Reading layer for a 500-character piece / the voice's synthesis of it|%.2f|%.0f|ms|0.05\n",
                pieceMs, synthMs);
    std::printf("TABLE|Polyphone words in sentences read otherwise than a careful speaker, of %d / 5 %%|%.1f|5|%%|1.00\n",
                rows, rows ? 100.0 * wrong / rows : 100.0);
    return 0;
}
