// The "导出音频…" dialog: chapters from the table of contents, "全部", the export with its
// progress and its cancel; and the read-aloud window's button that opens it while reading goes on.
#include "TestRegistry.h"
#include "AudioExportDialog.h"
#include "ExportNaming.h"
#include "ReadAloudFixture.h"
#include "StatusLine.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

class TestAudioExportDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void chaptersAndAll();
    void exportsChosenChapter();
    void offersLastFormatAndFolder();
    void cancelLeavesNoFile();
    void windowOpensDialogWhileReading();
    void escapeWhileWritingAsksToStop();
    void windowStatusLineFollowsTheExport();

private:
    // A dialog over the novel, once its chapters are listed.
    std::unique_ptr<AudioExportDialog> openDialog();
    QString m_novel;
    ReadAloudFixture m_fixture;
};

namespace {
const QString Sentence = QStringLiteral("却说张飞拍马赶到关下，关上矢石如雨，不得进而回。");

bool finishedExport(const AudioExportDialog &dialog)
{
    return !dialog.isExporting() && dialog.cmdGuanBi->text() == QStringLiteral("关闭");
}
}

void TestAudioExportDialog::initTestCase()
{
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_fixture.path(QStringLiteral("cache"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_fixture.path(QStringLiteral("config"))));
    m_novel = m_fixture.path(QStringLiteral("三国.txt"));
    m_fixture.writeText(QStringLiteral("三国.txt"),
                        u"第一回 宴桃园\r\n"_qs + Sentence + u"\r\n第二回 怒鞭督邮\r\n"_qs + Sentence
                            + u"\r\n第三回 议温明\r\n"_qs + (Sentence + u"\r\n"_qs).repeated(200));
}

std::unique_ptr<AudioExportDialog> TestAudioExportDialog::openDialog()
{
    auto dialog = std::make_unique<AudioExportDialog>(Novel{m_novel, TextEncoding::Gbk});
    if (!QTest::qWaitFor([&] { return dialog->lstZhangJie->count() == 3; }, 10000))
        return nullptr;
    return dialog;
}

void TestAudioExportDialog::chaptersAndAll()
{
    const auto dialog = openDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->lstZhangJie->item(1)->text(), u"2  第二回 怒鞭督邮"_qs);
    // "全部" starts ticked, with every chapter chosen; unticking it chooses none.
    QVERIFY(dialog->chkQuanBu->isChecked());
    QCOMPARE(dialog->lstZhangJie->selectedItems().size(), 3);
    QVERIFY(dialog->cmdDaoChu->isEnabled());
    dialog->chkQuanBu->setChecked(false);
    QVERIFY(dialog->lstZhangJie->selectedItems().isEmpty());
    QVERIFY(!dialog->cmdDaoChu->isEnabled());
    // Choosing every chapter by hand ticks "全部" again.
    for (int row = 0; row < 3; ++row)
        dialog->lstZhangJie->item(row)->setSelected(true);
    QVERIFY(dialog->chkQuanBu->isChecked());
    QCOMPARE(dialog->cboGeShi->itemText(0), u"Ogg Opus"_qs);
    QCOMPARE(dialog->cboGeShi->count(), 5);
    QVERIFY(dialog->txtMuLu->text().endsWith(u"/三国"_qs));
}

void TestAudioExportDialog::exportsChosenChapter()
{
    const auto dialog = openDialog();
    QVERIFY(dialog);
    const QString folder = m_fixture.path(QStringLiteral("audio"));
    dialog->chkQuanBu->setChecked(false);
    dialog->lstZhangJie->item(1)->setSelected(true);
    dialog->cboGeShi->setCurrentIndex(dialog->cboGeShi->findData(int(AudioFormat::Wav)));
    dialog->txtMuLu->setText(folder);
    dialog->cmdDaoChu_Click();
    QVERIFY(dialog->isExporting());
    QVERIFY(!dialog->lstZhangJie->isEnabled());
    QCOMPARE(dialog->cmdGuanBi->text(), u"取消"_qs);
    QVERIFY(QTest::qWaitFor([&] { return finishedExport(*dialog); }, 30000));
    QCOMPARE(dialog->prgJinDu->value(), 100);
    QVERIFY2(dialog->lblZhuangTai->text().startsWith(u"已导出 1 个文件"_qs), qPrintable(dialog->lblZhuangTai->text()));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{u"002 第二回 怒鞭督邮.wav"_qs});
    QVERIFY(dialog->lstZhangJie->isEnabled());
}

void TestAudioExportDialog::offersLastFormatAndFolder()
{
    // The export before wrote WAV files into a folder of its own choosing.
    const auto dialog = openDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->cboGeShi->currentData().toInt(), int(AudioFormat::Wav));
    QCOMPARE(dialog->txtMuLu->text(), m_fixture.path(QStringLiteral("audio")));
}

void TestAudioExportDialog::cancelLeavesNoFile()
{
    const auto dialog = openDialog();
    QVERIFY(dialog);
    const QString folder = m_fixture.path(QStringLiteral("cancelled"));
    dialog->chkQuanBu->setChecked(false);
    dialog->lstZhangJie->item(2)->setSelected(true); // the long chapter
    dialog->cboGeShi->setCurrentIndex(dialog->cboGeShi->findData(int(AudioFormat::Opus)));
    dialog->txtMuLu->setText(folder);
    dialog->cmdDaoChu_Click();
    QVERIFY(QTest::qWaitFor([&] { return dialog->lblZhuangTai->text().startsWith(u"正在写入 003"_qs); }, 10000));
    dialog->cmdGuanBi_Click();
    QVERIFY(QTest::qWaitFor([&] { return finishedExport(*dialog); }, 10000));
    QVERIFY2(dialog->lblZhuangTai->text().startsWith(u"已取消"_qs), qPrintable(dialog->lblZhuangTai->text()));
    QVERIFY(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

void TestAudioExportDialog::windowOpensDialogWhileReading()
{
    frmTTS *window = m_fixture.load();
    m_fixture.choose(QStringLiteral("三国.txt"));
    window->cmdSpeak_Click(0);
    QCOMPARE(window->cmdDaoChu->Caption(), u"导出音频…"_qs);
    window->cmdDaoChu_Click();
    AudioExportDialog *dialog = window->exportDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->novel(), window->CurrentNovel());
    // The voice was not stopped by the dialog.
    QCOMPARE(m_fixture.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    // A second click shows the same dialog.
    window->cmdDaoChu_Click();
    QCOMPARE(window->exportDialog(), dialog);
    // Another encoding chosen makes it another novel: a new dialog reads it in that encoding.
    window->cmdSpeak_Click(1);
    dialog->close();
    window->cboBianMa->setCurrentText(QStringLiteral("GB18030"));
    window->cboBianMa_Click();
    window->cmdDaoChu_Click();
    QVERIFY(window->exportDialog());
    QCOMPARE(window->exportDialog()->novel().encoding, TextEncoding::Gb18030);
}

// Escape or the window's close while files are written asks "停止导出？": no keeps the dialog and
// the export, yes stops the export and puts the dialog away. With nothing written, nothing is asked.
void TestAudioExportDialog::escapeWhileWritingAsksToStop()
{
    const auto dialog = openDialog();
    QVERIFY(dialog);
    int asked = 0;
    bool stop = false;
    dialog->setStopQuestion([&](QWidget *parent) {
        ++asked;
        return parent == dialog.get() && stop;
    });
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QCOMPARE(asked, 0);
    QVERIFY(!dialog->isVisible());

    dialog->show();
    const QString folder = m_fixture.path(QStringLiteral("stopped"));
    dialog->chkQuanBu->setChecked(false);
    dialog->lstZhangJie->item(2)->setSelected(true); // the long chapter
    dialog->cboGeShi->setCurrentIndex(dialog->cboGeShi->findData(int(AudioFormat::Opus)));
    dialog->txtMuLu->setText(folder);
    dialog->cmdDaoChu_Click();
    QVERIFY(QTest::qWaitFor([&] { return dialog->lblZhuangTai->text().startsWith(u"正在写入 003"_qs); }, 10000));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QCOMPARE(asked, 1);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isExporting());
    dialog->close();
    QCOMPARE(asked, 2);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isExporting());

    stop = true;
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QCOMPARE(asked, 3);
    QVERIFY(!dialog->isVisible());
    QVERIFY(QTest::qWaitFor([&] { return finishedExport(*dialog); }, 10000));
    QVERIFY2(dialog->lblZhuangTai->text().startsWith(u"已取消"_qs), qPrintable(dialog->lblZhuangTai->text()));
    QVERIFY(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

// The read-aloud window's status line shows a running export's progress, then how it ended; the
// window is not closed under it unasked.
void TestAudioExportDialog::windowStatusLineFollowsTheExport()
{
    frmTTS *window = m_fixture.load();
    m_fixture.choose(QStringLiteral("三国.txt"));
    window->cmdDaoChu_Click();
    AudioExportDialog *dialog = window->exportDialog();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitFor([&] { return dialog->lstZhangJie->count() == 3; }, 10000));
    dialog->cboGeShi->setCurrentIndex(dialog->cboGeShi->findData(int(AudioFormat::Wav)));
    dialog->txtMuLu->setText(m_fixture.path(QStringLiteral("followed")));
    dialog->cmdDaoChu_Click();
    QVERIFY(QTest::qWaitFor([&] { return window->lblZhuangTai->message().contains(u"%：正在写入 00"_qs); }, 30000));
    // Closing the window (or Quit) asks first; kept, the export and the window go on.
    int asked = 0;
    dialog->setStopQuestion([&](QWidget *) { return ++asked == 0; });
    QVERIFY(!window->close());
    QCOMPARE(asked, 1);
    QVERIFY(dialog->isExporting());
    QVERIFY(QTest::qWaitFor([&] { return finishedExport(*dialog); }, 60000));
    QCOMPARE(window->lblZhuangTai->message(), u"导出音频："_qs + dialog->lblZhuangTai->text());
    QVERIFY(window->lblZhuangTai->message().contains(u"已导出 3 个文件"_qs));
}

TARROWIN_TEST_MAIN(TestAudioExportDialog)
#include "tst_AudioExportDialog.moc"
