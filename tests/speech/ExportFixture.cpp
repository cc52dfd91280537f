#include "ExportFixture.h"
#include "Gbk.h"
#include "SynthEngine.h"
#include "SynthWorker.h"
#include "TextRangeReader.h"
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <sndfile.h>

TestNovel WriteTestNovel(const QString &path, const QStringList &titles, const QStringList &bodies)
{
    TestNovel novel{path, {}};
    QByteArray bytes;
    for (int i = 0; i < titles.size(); ++i) {
        const BytePos start(bytes.size() + 1);
        bytes += Gbk::fromUnicode(titles[i] + QStringLiteral("\r\n") + bodies[i] + QStringLiteral("\r\n"));
        novel.parts.append({i + 1, titles[i], start, BytePos(bytes.size() + 1)});
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return novel;
}

qint64 SynthesisedSamples(const QString &path, const ExportPart &part, const SpeechSettings &settings)
{
    const auto engine = SynthEngine::shared();
    const quint64 client = SynthEngine::newClientId();
    qint64 samples = 0;
    int finished = 0;
    QObject receiver;
    QObject::connect(engine->worker(), &SynthWorker::synthesized, &receiver,
                     [&](quint64 id, int, const QByteArray &audio, const QVector<WordMark> &, bool last) {
                         if (id != client)
                             return;
                         samples += audio.size() / 2;
                         finished += last ? 1 : 0;
                     }, Qt::QueuedConnection);
    TextRangeReader reader(Novel{path}, part.start, part.end, ExportPieceBytes);
    int requested = 0;
    while (const std::optional<QString> text = reader.next())
        engine->synthesize({client, ++requested, *text, settings, {}, {}, {}, {}, {}});
    if (!QTest::qWaitFor([&] { return finished == requested; }, 60000))
        return -1;
    return samples;
}

ReadBack ReadAudioFile(const QString &path)
{
    ReadBack result;
    SF_INFO info{};
    SNDFILE *sound = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!sound)
        return result;
    result.opened = true;
    result.rate = info.samplerate;
    // Count the frames by decoding them: the header's count is what the file claims.
    std::vector<short> buffer(8192);
    sf_count_t read = 0;
    while ((read = sf_readf_short(sound, buffer.data(), sf_count_t(buffer.size()))) > 0)
        result.frames += read;
    const auto tag = [sound](int kind) { return QString::fromUtf8(sf_get_string(sound, kind)); };
    result.title = tag(SF_STR_TITLE);
    result.album = tag(SF_STR_ALBUM);
    result.track = tag(SF_STR_TRACKNUMBER);
    sf_close(sound);
    return result;
}
