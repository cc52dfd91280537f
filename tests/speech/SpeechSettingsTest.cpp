#include "TestRegistry.h"
#include "SpeechSettings.h"
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

// Stored engine settings: where they live, what comes back, what is made of bad values.
class SpeechSettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QFile::remove(SpeechSettingsFilePath()); }
    void liveInTheUsersConfigFolder();
    void missingFileGivesDefaults();
    void savedSettingsComeBack();
    void storedValuesAreBroughtIntoRange_data();
    void storedValuesAreBroughtIntoRange();
};

void SpeechSettingsTest::liveInTheUsersConfigFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QVERIFY(SpeechSettingsFilePath().startsWith(folder + u'/'));
    QVERIFY(!SpeechSettingsFilePath().endsWith(QStringLiteral(".ini")));
}

void SpeechSettingsTest::missingFileGivesDefaults()
{
    const SpeechSettings settings = LoadSpeechSettings();
    QCOMPARE(settings.voice, QStringLiteral("cmn-latn-pinyin"));
    QVERIFY(settings == SpeechSettings());
}

void SpeechSettingsTest::savedSettingsComeBack()
{
    SpeechSettings settings;
    settings.voice = QStringLiteral("sit/yue");
    settings.rate = 220;
    settings.pitch = 30;
    settings.volume = 150;
    settings.clausePauseMs = 0;
    settings.sentencePauseMs = 650;
    settings.paragraphPauseMs = 1200;
    settings.headingPauseMs = 3000;
    settings.headings = SpeechSettings::Headings::Skip;
    QVERIFY(SaveSpeechSettings(settings));
    QVERIFY(LoadSpeechSettings() == settings);
}

void SpeechSettingsTest::storedValuesAreBroughtIntoRange_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("loaded");
    QTest::newRow("rate too low") << "rate" << QVariant(10) << QVariant(SpeechSettings::MinimumRate);
    QTest::newRow("rate too high") << "rate" << QVariant(9999) << QVariant(SpeechSettings::MaximumRate);
    QTest::newRow("rate not a number") << "rate" << QVariant("fast") << QVariant(SpeechSettings().rate);
    QTest::newRow("pitch negative") << "pitch" << QVariant(-5) << QVariant(0);
    QTest::newRow("volume too high") << "volume" << QVariant(500) << QVariant(SpeechSettings::MaximumVolume);
    QTest::newRow("empty voice") << "voice" << QVariant(" ") << QVariant("cmn-latn-pinyin");
    QTest::newRow("pause too long") << "pause_heading_ms" << QVariant(60000) << QVariant(SpeechSettings::MaximumPauseMs);
    QTest::newRow("pause negative") << "pause_clause_ms" << QVariant(-1) << QVariant(0);
}

void SpeechSettingsTest::storedValuesAreBroughtIntoRange()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, loaded);
    {
        QSettings file(SpeechSettingsFilePath(), QSettings::IniFormat);
        file.setValue(key, stored);
    }
    const SpeechSettings settings = LoadSpeechSettings();
    const QVariant actual = key == u"rate"_qs ? QVariant(settings.rate)
        : key == u"pitch"_qs                  ? QVariant(settings.pitch)
        : key == u"volume"_qs                 ? QVariant(settings.volume)
        : key == u"pause_heading_ms"_qs       ? QVariant(settings.headingPauseMs)
        : key == u"pause_clause_ms"_qs        ? QVariant(settings.clausePauseMs)
                                              : QVariant(settings.voice);
    QCOMPARE(actual, loaded);
}

TARROWIN_APPLESS_TEST_MAIN(SpeechSettingsTest)
#include "SpeechSettingsTest.moc"
