// The plain rules of the audio export: file names, chapter ranges, format names, time left.
#include "TestRegistry.h"
#include "AudioFormat.h"
#include "ChapterRange.h"
#include "ExportChoices.h"
#include "ExportJob.h"
#include "ExportNaming.h"
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class ExportRulesTest : public QObject
{
    Q_OBJECT
private slots:
    void fileNames_data();
    void fileNames();
    void safeTitleFitsAFileName();
    void chapterRanges_data();
    void chapterRanges();
    void formatNames();
    void timeLeft();
    void exportVolumeIsFull();
    void offeredFolder_data();
    void offeredFolder();
    void choicesKeptForNextTime();
};

void ExportRulesTest::fileNames_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");

    const int opus = int(AudioFormat::Opus);
    QTest::newRow("three digits") << 7 << 120 << u"第七回 大闹天宫"_qs << opus << u"007 第七回 大闹天宫.opus"_qs;
    QTest::newRow("more chapters, more digits") << 7 << 1200 << u"回"_qs << opus << u"0007 回.opus"_qs;
    QTest::newRow("number wider than count") << 1000 << 10 << u"尾"_qs << opus << u"1000 尾.opus"_qs;
    QTest::newRow("separators full width") << 1 << 1 << u"上/下\\卷"_qs << opus << u"001 上／下＼卷.opus"_qs;
    QTest::newRow("refused characters") << 1 << 1 << u"问?答:\"引\"<a>|*"_qs << opus
                                        << u"001 问？答：＂引＂＜a＞｜＊.opus"_qs;
    QTest::newRow("blanks and controls") << 2 << 2 << u"  第二章\t\r\n  山\x01路  "_qs << opus
                                         << u"002 第二章 山 路.opus"_qs;
    QTest::newRow("ideographic space") << 2 << 2 << u"第二章\u3000山路"_qs << opus << u"002 第二章 山路.opus"_qs;
    QTest::newRow("dots and dot names") << 3 << 3 << u".."_qs << opus << u"003.opus"_qs;
    QTest::newRow("trailing dots") << 3 << 3 << u"完了..."_qs << opus << u"003 完了.opus"_qs;
    QTest::newRow("empty title") << 4 << 4 << QString() << opus << u"004.opus"_qs;
    QTest::newRow("unpaired surrogate") << 5 << 5 << QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b")
                                        << opus << u"005 a\uFFFDb.opus"_qs;
    QTest::newRow("vorbis") << 1 << 1 << u"章"_qs << int(AudioFormat::Vorbis) << u"001 章.ogg"_qs;
    QTest::newRow("mp3") << 1 << 1 << u"章"_qs << int(AudioFormat::Mp3) << u"001 章.mp3"_qs;
    QTest::newRow("flac") << 1 << 1 << u"章"_qs << int(AudioFormat::Flac) << u"001 章.flac"_qs;
    QTest::newRow("wav") << 1 << 1 << u"章"_qs << int(AudioFormat::Wav) << u"001 章.wav"_qs;
}

void ExportRulesTest::fileNames()
{
    QFETCH(int, number);
    QFETCH(int, count);
    QFETCH(QString, title);
    QFETCH(int, format);
    QFETCH(QString, name);
    QCOMPARE(ExportFileName(number, count, title, AudioFormat(format)), name);
}

void ExportRulesTest::safeTitleFitsAFileName()
{
    // A long title is cut to whole characters (an emoji is a surrogate pair) within the limit.
    const QString title = QStringLiteral("章").repeated(50) + QStringLiteral("😀").repeated(100);
    const QString safe = SafeFileTitle(title);
    QVERIFY(safe.toUtf8().size() <= ExportTitleBytes);
    QVERIFY(safe.toUtf8().size() > ExportTitleBytes - 4);
    QVERIFY(!safe.back().isHighSurrogate());
    QVERIFY(title.startsWith(safe));
    const QString name = ExportFileName(999999, 999999, title, AudioFormat::Vorbis);
    QVERIFY((name + QStringLiteral(".XXXXXX")).toUtf8().size() <= 255);
}

void ExportRulesTest::chapterRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");

    QTest::newRow("range") << "3-5" << 10 << true << 3 << 5;
    QTest::newRow("whole") << "1-10" << 10 << true << 1 << 10;
    QTest::newRow("one as range") << "4-4" << 10 << true << 4 << 4;
    QTest::newRow("one alone") << "4" << 10 << true << 4 << 4;
    QTest::newRow("blanks") << " 2 - 3 " << 10 << true << 2 << 3;
    QTest::newRow("leading zeros") << "002-010" << 10 << true << 2 << 10;
    QTest::newRow("backwards") << "5-3" << 10 << false << 0 << 0;
    QTest::newRow("zero") << "0-3" << 10 << false << 0 << 0;
    QTest::newRow("past the end") << "8-11" << 10 << false << 0 << 0;
    QTest::newRow("no chapters") << "1" << 0 << false << 0 << 0;
    QTest::newRow("open end") << "3-" << 10 << false << 0 << 0;
    QTest::newRow("open start") << "-3" << 10 << false << 0 << 0;
    QTest::newRow("negative") << "-1-3" << 10 << false << 0 << 0;
    QTest::newRow("plus sign") << "+1-3" << 10 << false << 0 << 0;
    QTest::newRow("three parts") << "1-2-3" << 10 << false << 0 << 0;
    QTest::newRow("empty") << "" << 10 << false << 0 << 0;
    QTest::newRow("words") << "a-b" << 10 << false << 0 << 0;
    QTest::newRow("decimal") << "1.5-3" << 10 << false << 0 << 0;
    QTest::newRow("overflow") << "1-99999999999999999999" << 10 << false << 0 << 0;
    QTest::newRow("full-width digits") << "１-３" << 10 << false << 0 << 0;
}

void ExportRulesTest::chapterRanges()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(bool, valid);
    QFETCH(int, first);
    QFETCH(int, last);
    const std::optional<ChapterRange> range = ParseChapterRange(text, count);
    QCOMPARE(range.has_value(), valid);
    if (valid)
        QCOMPARE(*range, (ChapterRange{first, last}));
}

void ExportRulesTest::formatNames()
{
    QCOMPARE(AudioFormats().first(), AudioFormat::Opus);
    QCOMPARE(AudioFormats().size(), 5);
    for (const AudioFormat format : AudioFormats()) {
        QCOMPARE(AudioFormatFromName(AudioFormatName(format)), format);
        QCOMPARE(AudioFormatFromName(AudioFormatName(format).toUpper()), format);
    }
    QVERIFY(!AudioFormatFromName(u"aac"_qs));
    QVERIFY(!AudioFormatFromName(QString()));
    // Opus holds only its own rates: the synthesiser's 22050 Hz goes up to 24 kHz.
    QCOMPARE(AudioFormatFileRate(AudioFormat::Opus, 22050), 24000);
    QCOMPARE(AudioFormatFileRate(AudioFormat::Opus, 16000), 16000);
    QCOMPARE(AudioFormatFileRate(AudioFormat::Opus, 96000), 48000);
    QCOMPARE(AudioFormatFileRate(AudioFormat::Mp3, 22050), 22050);
}

void ExportRulesTest::timeLeft()
{
    QVERIFY(!EstimateSecondsLeft(500, 10, 100));    // too early to tell
    QVERIFY(!EstimateSecondsLeft(5000, 0, 100));    // nothing done yet
    QCOMPARE(EstimateSecondsLeft(2000, 25, 100), 6); // a quarter in 2 s: 6 s more
    QCOMPARE(EstimateSecondsLeft(3000, 100, 100), 0);
    QCOMPARE(EstimateSecondsLeft(1000, 3, 10), 3);   // 2.33 s rounds up
    QCOMPARE(EstimateSecondsLeft(1000, 120, 100), 0); // a range past the end of its file
}

void ExportRulesTest::exportVolumeIsFull()
{
    SpeechSettings user;
    user.voice = u"en"_qs;
    user.rate = 300;
    user.pitch = 20;
    user.volume = 30;
    const SpeechSettings spoken = ExportSpeechSettings(user);
    QCOMPARE(spoken.voice, user.voice);
    QCOMPARE(spoken.rate, user.rate);
    QCOMPARE(spoken.pitch, user.pitch);
    QCOMPARE(spoken.volume, 100);
}

void ExportRulesTest::offeredFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("novelName");
    QTest::addColumn<QString>("novelPath");
    QTest::addColumn<QString>("offered");
    QTest::newRow("same novel") << u"/m/三国"_qs << u"三国"_qs << u"/n/三国.txt"_qs << u"/m/三国"_qs;
    QTest::newRow("folder per novel") << u"/m/三国"_qs << u"三国"_qs << u"/n/西游记.txt"_qs << u"/m/西游记"_qs;
    QTest::newRow("trailing slash") << u"/m/三国/"_qs << u"三国"_qs << u"/n/西游记.txt"_qs << u"/m/西游记"_qs;
    QTest::newRow("one folder for all") << u"/m/有声书"_qs << u"三国"_qs << u"/n/西游记.txt"_qs << u"/m/有声书"_qs;
    QTest::newRow("no novel kept") << u"/m/三国"_qs << QString() << u"/n/西游记.txt"_qs << u"/m/三国"_qs;
}

void ExportRulesTest::offeredFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, novelName);
    QFETCH(QString, novelPath);
    QFETCH(QString, offered);
    QCOMPARE(ExportFolderOffered({AudioFormat::Wav, folder, novelName}, novelPath), offered);
}

void ExportRulesTest::choicesKeptForNextTime()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    // Nothing kept yet: Ogg Opus, in a folder named after the novel.
    const ExportChoices none = LoadExportChoices();
    QCOMPARE(none.format, AudioFormat::Opus);
    QVERIFY(ExportFolderOffered(none, u"/n/西游记.txt"_qs).endsWith(u"/西游记"_qs));

    QVERIFY(SaveExportChoices({AudioFormat::Flac, u"/m/三国"_qs, u"三国"_qs}));
    QVERIFY(ExportChoicesFilePath().startsWith(config.path()));
    const ExportChoices kept = LoadExportChoices();
    QCOMPARE(kept.format, AudioFormat::Flac);
    QCOMPARE(kept.folder, u"/m/三国"_qs);
    QCOMPARE(kept.novelName, u"三国"_qs);

    // A format this version does not know falls back to the first.
    QSettings(ExportChoicesFilePath(), QSettings::IniFormat).setValue(u"format"_qs, u"aac"_qs);
    QCOMPARE(LoadExportChoices().format, AudioFormat::Opus);
    QCOMPARE(LoadExportChoices().folder, u"/m/三国"_qs);
}

TARROWIN_APPLESS_TEST_MAIN(ExportRulesTest)
#include "ExportRulesTest.moc"
