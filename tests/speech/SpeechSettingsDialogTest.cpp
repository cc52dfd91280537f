#include "TestRegistry.h"
#include "EspeakVoice.h"
#include "SpeechSettingsDialog.h"
#include <QComboBox>
#include <QStandardItemModel>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

// The settings dialog: it shows the stored settings, keeps changes only when accepted, offers
// Mandarin first and previews with the settings shown.
class SpeechSettingsDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { QFile::remove(SpeechSettingsFilePath()); }
    void showsStoredSettings();
    void acceptStoresAndCancelDoesNot_data();
    void acceptStoresAndCancelDoesNot();
    void mandarinFirst();
    void previewSpeaksTheSample();
};

void SpeechSettingsDialogTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    EspeakVoice::setDefaultOutput(EspeakVoice::Output::Silent);
}

void SpeechSettingsDialogTest::showsStoredSettings()
{
    SpeechSettings stored;
    stored.rate = 300;
    stored.pitch = 70;
    stored.volume = 90;
    SaveSpeechSettings(stored);
    SpeechSettingsDialog dialog;
    QCOMPARE(dialog.settings().rate, 300);
    QCOMPARE(dialog.settings().pitch, 70);
    QCOMPARE(dialog.settings().volume, 90);
    // The default voice is stored by its language; the dialog finds its entry.
    QVERIFY(dialog.settings().voice.endsWith(QStringLiteral("cmn-Latn-pinyin")));
}

void SpeechSettingsDialogTest::acceptStoresAndCancelDoesNot_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void SpeechSettingsDialogTest::acceptStoresAndCancelDoesNot()
{
    QFETCH(bool, accept);
    SpeechSettingsDialog dialog;
    auto *voice = dialog.findChild<QComboBox *>();
    const QList<QSpinBox *> numbers = dialog.findChildren<QSpinBox *>();
    QCOMPARE(numbers.size(), 7); // rate, pitch, volume, then the four pauses
    voice->setCurrentIndex(voice->count() - 1);
    numbers[0]->setValue(250);
    numbers[1]->setValue(20);
    numbers[2]->setValue(180);
    numbers[5]->setValue(1000);
    const SpeechSettings chosen = dialog.settings();
    QCOMPARE(chosen.rate, 250);
    QCOMPARE(chosen.volume, 180);
    QCOMPARE(chosen.paragraphPauseMs, 1000);
    QCOMPARE(numbers[5]->accessibleName(), QStringLiteral("段落之间停顿（毫秒）"));
    if (accept)
        dialog.accept();
    else
        dialog.reject();
    QCOMPARE(LoadSpeechSettings() == chosen, accept);
    QCOMPARE(LoadSpeechSettings() == SpeechSettings(), !accept);
}

void SpeechSettingsDialogTest::mandarinFirst()
{
    SpeechSettingsDialog dialog;
    auto *voice = dialog.findChild<QComboBox *>();
    QVERIFY(voice->count() > 10);
    QCOMPARE(voice->itemData(0).toString(), QStringLiteral("sit/cmn-Latn-pinyin"));
    QCOMPARE(voice->itemData(1).toString(), QStringLiteral("sit/cmn"));
    // Chinese voices under Chinese names, then a heading that cannot be chosen, then the rest.
    QStringList captions;
    for (int i = 0; i < voice->count(); ++i)
        captions << voice->itemText(i);
    const qsizetype heading = captions.indexOf(QStringLiteral("其他语言"));
    QCOMPARE(captions.mid(0, 5), (QStringList{"普通话（拼音）", "普通话", "粤语（粤拼）", "粤语", "客家话"}));
    QCOMPARE(heading, 6); // after a separator
    QVERIFY(!qobject_cast<QStandardItemModel *>(voice->model())->item(int(heading))->isEnabled());
    QVERIFY(voice->itemText(int(heading) + 1).contains(QLatin1Char('(')));
}

void SpeechSettingsDialogTest::previewSpeaksTheSample()
{
    SpeechSettingsDialog dialog;
    QPushButton *preview = nullptr;
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("试听"))
            preview = button;
    }
    QVERIFY(preview);
    QVERIFY(!dialog.previewVoice());
    int words = 0;
    preview->click();
    QVERIFY(dialog.previewVoice());
    connect(dialog.previewVoice(), &SpeechVoice::Word, this, [&] { ++words; });
    QCOMPARE(dialog.previewVoice()->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    QVERIFY(QTest::qWaitFor([&] { return words >= 2; }, 5000));
    preview->click();  // a second preview replaces the first
    QCOMPARE(dialog.previewVoice()->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
}

TARROWIN_TEST_MAIN(SpeechSettingsDialogTest)
#include "SpeechSettingsDialogTest.moc"
