// The audio export end to end: files of each format read back with the duration synthesised,
// and a cancelled or failed export leaving no half-written file.
#include "TestRegistry.h"
#include "AudioExport.h"
#include "AudioFileWriter.h"
#include "ExportFixture.h"
#include "ExportNaming.h"
#include "UnwritableFolder.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sndfile.h>
#include <sys/resource.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace {
const QString Sentence = QStringLiteral("话说天下大势，分久必合，合久必分。");

// Paragraphs of the sentence, each on its own line.
QString paragraphs(int count, int sentencesEach)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += Sentence.repeated(sentencesEach) + QStringLiteral("\r\n");
    return text;
}

ExportJob jobFor(const TestNovel &novel, const QString &folder, AudioFormat format)
{
    ExportJob job;
    job.textPath = novel.path;
    job.album = QStringLiteral("三国演义");
    job.parts = novel.parts;
    job.chapterCount = int(novel.parts.size());
    job.folder = folder;
    job.format = format;
    return job;
}

// Runs the export to its end; the outcome, with the message in `message`.
ExportOutcome runExport(AudioExport &exporter, const ExportJob &job, QString *message = nullptr)
{
    QSignalSpy finished(&exporter, &AudioExport::finished);
    if (!exporter.start(job) || !finished.wait(120000))
        return ExportOutcome::Failed;
    if (message)
        *message = finished.first().at(1).toString();
    return finished.first().at(0).value<ExportOutcome>();
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}
}

class AudioExportTest : public QObject
{
    Q_OBJECT
private slots:
    void eachFormatReadsBack_data();
    void eachFormatReadsBack();
    void mp3TagsInId3v2();
    void chaptersSharedOutOnce();
    void cancelKeepsOnlyFinishedFiles();
    void fullDiskLeavesNoPartialFile();
    void unwritableFolderOrMissingNovelFails();
    void pausesHoldInTheExportedChapter_data();
    void pausesHoldInTheExportedChapter();

private:
    QTemporaryDir m_dir;
};

void AudioExportTest::eachFormatReadsBack_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<double>("tolerance"); // seconds the read-back duration may differ by
    QTest::addColumn<bool>("chineseTags"); // false: Chinese texts are left out, never garbled
    // Lossy codecs pad or trim a frame at the ends; the resampler of Opus rounds.
    QTest::newRow("opus") << int(AudioFormat::Opus) << 0.03 << true;
    QTest::newRow("vorbis") << int(AudioFormat::Vorbis) << 0.01 << true;
    QTest::newRow("mp3") << int(AudioFormat::Mp3) << 0.06 << true;
    QTest::newRow("flac") << int(AudioFormat::Flac) << 0.0 << true;
    QTest::newRow("wav") << int(AudioFormat::Wav) << 0.0 << true;
}

void AudioExportTest::eachFormatReadsBack()
{
    QFETCH(int, format);
    QFETCH(double, tolerance);
    QFETCH(bool, chineseTags);
    const QString folder = m_dir.filePath(QString::number(format));
    // The second chapter is several synthesis pieces long.
    const TestNovel novel = WriteTestNovel(m_dir.filePath(QStringLiteral("novel%1.txt").arg(format)),
                                           {u"第一回 宴桃园"_qs, u"第二回 张翼德/怒鞭督邮"_qs},
                                           {paragraphs(1, 2), paragraphs(2, 16)});
    AudioExport exporter;
    QSignalSpy written(&exporter, &AudioExport::fileWritten);
    QString message;
    QCOMPARE(runExport(exporter, jobFor(novel, folder, AudioFormat(format)), &message),
             ExportOutcome::Written);
    QVERIFY(message.isEmpty());
    QCOMPARE(written.size(), 2);
    QStringList names;
    for (const ExportPart &part : novel.parts)
        names << ExportFileName(part.number, 2, part.title, AudioFormat(format));
    QCOMPARE(entries(folder), names);

    const SpeechSettings settings = ExportSpeechSettings(SpeechSettings());
    for (int i = 0; i < novel.parts.size(); ++i) {
        const ExportPart &part = novel.parts[i];
        // Chapters are written side by side: the files may be reported in either order.
        const QString path = QDir(folder).filePath(names[i]);
        const auto report = std::find_if(written.begin(), written.end(), [&](const QVariantList &args) {
            return args.at(0).toString() == path;
        });
        QVERIFY2(report != written.end(), qPrintable(path));
        const ReadBack file = ReadAudioFile(path);
        QVERIFY2(file.opened, qPrintable(names[i]));
        const double synthesised = report->at(1).toDouble();
        QVERIFY2(std::abs(file.seconds() - synthesised) <= tolerance + 1e-9,
                 qPrintable(QStringLiteral("%1: %2 s read back, %3 s synthesised")
                                .arg(names[i]).arg(file.seconds()).arg(synthesised)));
        // All of the chapter is spoken: the length of the same text synthesised on its own
        // (espeak-ng's timing varies by a few milliseconds between runs).
        const double alone = double(SynthesisedSamples(novel.path, part, settings)) / 22050;
        QVERIFY2(std::abs(synthesised - alone) < 0.01 * alone,
                 qPrintable(QStringLiteral("%1 s exported, %2 s alone").arg(synthesised).arg(alone)));
        QCOMPARE(file.title, chineseTags ? part.title : QString());
        QCOMPARE(file.album, chineseTags ? u"三国演义"_qs : QString());
        QCOMPARE(file.track, QString::number(part.number));
    }
}

void AudioExportTest::mp3TagsInId3v2()
{
    // The Chinese texts stand in an ID3v2.3 tag ahead of the sound, in UTF-16, and nothing else
    // of the file moved: it decodes to what was written.
    const QString path = m_dir.filePath(QStringLiteral("tagged.mp3"));
    AudioFileWriter writer(path, AudioFormat::Mp3, 22050, {u"第十二回 杨志押送金银担"_qs, u"水浒传"_qs, 12});
    const std::vector<qint16> silence(22050);
    QVERIFY(writer.write(silence.data(), qint64(silence.size())));
    QVERIFY2(writer.commit(), qPrintable(writer.errorString()));
    TagLib::MPEG::File file(QFile::encodeName(path).constData());
    QVERIFY(file.isValid() && file.hasID3v2Tag() && !file.hasID3v1Tag());
    QCOMPARE(file.ID3v2Tag()->header()->majorVersion(), 3u);
    QCOMPARE(QString::fromStdString(file.ID3v2Tag()->title().to8Bit(true)), u"第十二回 杨志押送金银担"_qs);
    QCOMPARE(QString::fromStdString(file.ID3v2Tag()->album().to8Bit(true)), u"水浒传"_qs);
    QCOMPARE(file.ID3v2Tag()->track(), 12u);
    QVERIFY(std::abs(ReadAudioFile(path).seconds() - 1.0) < 0.06);
}

void AudioExportTest::chaptersSharedOutOnce()
{
    // More chapters than lanes, of uneven lengths: each is written once, and the progress of
    // the lanes together only grows, to the whole.
    const QString folder = m_dir.filePath(QStringLiteral("shared"));
    const TestNovel novel = WriteTestNovel(
        m_dir.filePath(QStringLiteral("five.txt")), {u"一"_qs, u"二"_qs, u"三"_qs, u"四"_qs, u"五"_qs},
        {paragraphs(6, 4), paragraphs(1, 1), paragraphs(2, 3), paragraphs(1, 1), paragraphs(3, 2)});
    AudioExport exporter;
    QSignalSpy written(&exporter, &AudioExport::fileWritten);
    QSignalSpy progress(&exporter, &AudioExport::progress);
    QCOMPARE(runExport(exporter, jobFor(novel, folder, AudioFormat::Wav)), ExportOutcome::Written);
    QStringList paths;
    for (const QVariantList &args : written)
        paths << QFileInfo(args.at(0).toString()).fileName();
    paths.sort();
    QStringList names;
    for (const ExportPart &part : novel.parts)
        names << ExportFileName(part.number, 5, part.title, AudioFormat::Wav);
    QCOMPARE(paths, names);
    QCOMPARE(entries(folder), names);
    QVERIFY(!progress.isEmpty());
    qint64 before = 0;
    for (const QVariantList &args : progress) {
        const ExportProgress report = args.at(0).value<ExportProgress>();
        QVERIFY(report.bytesDone >= before);
        QVERIFY(report.bytesDone <= report.bytesTotal);
        QVERIFY(names.contains(report.fileName));
        before = report.bytesDone;
    }
    QCOMPARE(progress.last().at(0).value<ExportProgress>().bytesTotal,
             novel.parts.last().end - novel.parts.first().start);
}

void AudioExportTest::cancelKeepsOnlyFinishedFiles()
{
    const QString folder = m_dir.filePath(QStringLiteral("cancel"));
    const TestNovel novel = WriteTestNovel(m_dir.filePath(QStringLiteral("long.txt")),
                                           {u"短"_qs, u"长"_qs}, {paragraphs(1, 1), paragraphs(400, 10)});
    AudioExport exporter;
    QSignalSpy written(&exporter, &AudioExport::fileWritten);
    QSignalSpy progress(&exporter, &AudioExport::progress);
    QSignalSpy finished(&exporter, &AudioExport::finished);
    QVERIFY(exporter.start(jobFor(novel, folder, AudioFormat::Wav)));
    QVERIFY(!exporter.start(jobFor(novel, folder, AudioFormat::Opus))); // one at a time
    QVERIFY(written.wait(30000));
    // Wait until the second file has audio in it, then cancel.
    QVERIFY(QTest::qWaitFor([&] {
        return !progress.isEmpty() && progress.last().first().value<ExportProgress>().bytesDone
            > novel.parts[0].end - novel.parts[0].start;
    }, 30000));
    // The file being written is out of sight until it is complete.
    QCOMPARE(entries(folder), QStringList{ExportFileName(1, 2, u"短"_qs, AudioFormat::Wav)});
    exporter.cancel();
    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.first().at(0).value<ExportOutcome>(), ExportOutcome::Cancelled);
    QCOMPARE(written.size(), 1);
    QCOMPARE(entries(folder), QStringList{ExportFileName(1, 2, u"短"_qs, AudioFormat::Wav)});
    QVERIFY(!exporter.isRunning());
    // The same exporter runs again after a cancel.
    const TestNovel shortNovel = WriteTestNovel(m_dir.filePath(QStringLiteral("short.txt")),
                                                {u"一"_qs}, {paragraphs(1, 1)});
    QCOMPARE(runExport(exporter, jobFor(shortNovel, folder, AudioFormat::Wav)), ExportOutcome::Written);
}

void AudioExportTest::fullDiskLeavesNoPartialFile()
{
    // A file size limit fails a write as a full disk does (with the signal ignored, writes
    // past the limit fail with an error instead of ending the process).
    const QString folder = m_dir.filePath(QStringLiteral("full"));
    const TestNovel novel = WriteTestNovel(m_dir.filePath(QStringLiteral("full.txt")),
                                           {u"一"_qs, u"二"_qs}, {paragraphs(1, 1), paragraphs(20, 10)});
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 1024 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    AudioExport exporter;
    QSignalSpy written(&exporter, &AudioExport::fileWritten);
    QString message;
    const ExportOutcome outcome = runExport(exporter, jobFor(novel, folder, AudioFormat::Wav), &message);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(outcome, ExportOutcome::Failed);
    QVERIFY2(message.contains(ExportFileName(2, 2, u"二"_qs, AudioFormat::Wav)), qPrintable(message));
    QCOMPARE(written.size(), 1);
    QCOMPARE(entries(folder), QStringList{ExportFileName(1, 2, u"一"_qs, AudioFormat::Wav)});
}

void AudioExportTest::unwritableFolderOrMissingNovelFails()
{
    const TestNovel novel = WriteTestNovel(m_dir.filePath(QStringLiteral("small.txt")),
                                           {u"一"_qs}, {paragraphs(1, 1)});
    const QString folder = m_dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    AudioExport exporter;
    QString message;
    {
        UnwritableFolder locked(folder);
        if (!locked.works())
            QSKIP("cannot make a folder unwritable here");
        QCOMPARE(runExport(exporter, jobFor(novel, folder, AudioFormat::Flac), &message),
                 ExportOutcome::Failed);
        QVERIFY2(message.contains(folder), qPrintable(message));
    }
    QVERIFY(entries(folder).isEmpty());

    ExportJob missing = jobFor(novel, folder, AudioFormat::Flac);
    missing.textPath = m_dir.filePath(QStringLiteral("missing.txt"));
    QCOMPARE(runExport(exporter, missing, &message), ExportOutcome::Failed);
    QVERIFY2(message.contains(missing.textPath), qPrintable(message));
    QVERIFY(entries(folder).isEmpty());
}

void AudioExportTest::pausesHoldInTheExportedChapter_data()
{
    QTest::addColumn<int>("headings");
    QTest::addColumn<QList<int>>("expected");
    const QList<int> body{300, 300, 1100, 300, 300};
    QTest::newRow("heading read with its pause") << int(SpeechSettings::Headings::ReadWithPause) << QList<int>{1500} + body;
    QTest::newRow("heading read as a line") << int(SpeechSettings::Headings::Read) << QList<int>{1100} + body;
    QTest::newRow("heading skipped") << int(SpeechSettings::Headings::Skip) << body;
}

// Every silence between two sounds of an exported chapter is the pause set for what ends there
// (a heading, a clause, a paragraph), within 30 ms, whatever the voice makes of the signs; a
// heading skipped leaves no sound and no pause.
void AudioExportTest::pausesHoldInTheExportedChapter()
{
    QFETCH(int, headings);
    QFETCH(QList<int>, expected);
    const QString folder = m_dir.filePath(QStringLiteral("pauses"));
    const TestNovel novel = WriteTestNovel(m_dir.filePath(QStringLiteral("pauses.txt")),
                                           {u"第一回 宴桃园"_qs}, {paragraphs(2, 1)});
    ExportJob job = jobFor(novel, folder, AudioFormat::Wav);
    job.settings.clausePauseMs = 300;
    job.settings.sentencePauseMs = 2000; // ends no run here: each sentence ends its paragraph
    job.settings.paragraphPauseMs = 1100;
    job.settings.headingPauseMs = 1500;
    job.settings.rate = SpeechSettings::MaximumRate;
    job.settings.headings = SpeechSettings::Headings(headings);
    AudioExport exporter;
    QCOMPARE(runExport(exporter, job), ExportOutcome::Written);
    SF_INFO info{};
    const QByteArray path = QDir(folder).filePath(ExportFileName(1, 1, u"第一回 宴桃园"_qs, AudioFormat::Wav)).toLocal8Bit();
    SNDFILE *file = sf_open(path.constData(), SFM_READ, &info);
    QVERIFY2(file, path.constData());
    std::vector<short> samples(size_t(info.frames));
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    // Silences of 150 ms and more that lie between sounds, in milliseconds.
    QList<int> gaps;
    qint64 quietFrom = -1;
    bool heard = false;
    for (size_t i = 0; i < samples.size(); ++i) {
        const bool quiet = std::abs(samples[i]) <= 16;
        if (quiet && quietFrom < 0)
            quietFrom = qint64(i);
        if (!quiet) {
            const qint64 ms = quietFrom < 0 ? 0 : (qint64(i) - quietFrom) * 1000 / info.samplerate;
            if (heard && ms >= 150)
                gaps << int(ms);
            quietFrom = -1;
            heard = true;
        }
    }
    QCOMPARE(gaps.size(), expected.size());
    for (int i = 0; i < gaps.size(); ++i)
        QVERIFY2(std::abs(gaps[i] - expected[i]) <= 30, qPrintable(QStringLiteral("gap %1: %2 ms").arg(i).arg(gaps[i])));
}

TARROWIN_GUILESS_TEST_MAIN(AudioExportTest)
#include "AudioExportTest.moc"
