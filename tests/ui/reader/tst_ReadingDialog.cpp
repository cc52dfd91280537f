// "设置读音…" in the reader's pop-up menu: enabled for Chinese text selected, its dialog from the
// keyboard, the listener's files written on OK, a failed write told, "试听" with the reading typed.
#include "TestRegistry.h"
#include "FakeVoice.h"
#include "ListenerReadings.h"
#include "ListenerReadingsEdit.h"
#include "MandarinDictionary.h"
#include "ReaderFixture.h"
#include "ReadingDialog.h"
#include "ScreenReaderWalk.h"
#include "StatusLine.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

namespace {

// Selects `text` in the page box (nothing when it is empty) and pops the menu up; true when the
// menu offers "设置读音…".
bool PopUpOver(frmRead *reader, const QString &text)
{
    reader->mnuTanChu->hide();
    reader->txtTarrowin->setSelStart(std::max(0, int(reader->txtTarrowin->Text().indexOf(text))));
    reader->txtTarrowin->setSelLength(int(text.size()));
    reader->ShowPopUpMenu(reader->txtTarrowin->mapToGlobal(QPoint(10, 10)));
    return reader->mnuTanChu->isVisible() && reader->mnuSheZhiDuYin->isEnabled();
}

// The dialog for `word`, opened with the menu item's accelerator.
ReadingDialog *OpenDialog(frmRead *reader, const QString &word)
{
    if (!PopUpOver(reader, word))
        return nullptr;
    QTest::keyClick(reader->mnuTanChu, Qt::Key_D);
    return reader->findChild<ReadingDialog *>();
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

}

class TestReadingDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(MandarinDictionary::shared(), "no dictionary: set TARROWIN_MANDARIN_DICT"); }

    void menuItemSetsTheReading()
    {
        ReaderFixture f;
        qputenv("XDG_CONFIG_HOME", f.path(QStringLiteral("config")).toUtf8());
        const QString general = ListenerReadingsFilePath();
        const QString novelFile = f.path(QStringLiteral("novel.txt.duyin"));
        QVERIFY(QDir().mkpath(QFileInfo(general).path()));
        const QByteArray kept = QByteArrayLiteral("# 我的读音\r\n音乐 yin1 yue4\r\n");
        f.writeBytes(QStringLiteral("config/tarrowin/pronunciations.txt"), kept);
        f.loadTts(QStringLiteral("他去银行取钱，路过商店。\r\n") + NumberedNovel(20))->txtChaZhao->setText(QStringLiteral("他去"));
        frmRead *reader = f.open();
        QVERIFY(!PopUpOver(reader, QStringLiteral("，")));
        QVERIFY(!PopUpOver(reader, QString()));

        QPointer<ReadingDialog> dialog = OpenDialog(reader, QStringLiteral("银行"));
        QVERIFY(dialog && dialog->isVisible() && !reader->mnuTanChu->isVisible());
        QCOMPARE(dialog->currentField()->text(), QStringLiteral("yin2 hang2"));
        QCOMPARE(dialog->focusWidget(), dialog->readingField());
        for (const MetControl &control : WalkWindow(dialog))
            QVERIFY2(control.state.invisible || control.name.contains(QRegularExpression(QStringLiteral("\\p{Han}"))),
                     qPrintable(QString::number(control.role, 16) + u' ' + control.name));

        // "试听" speaks the word with the reading typed; a second press stops the first, and so does OK.
        QPointer<FakeVoice> voice;
        dialog->setVoiceMaker([&voice](QObject *parent) { return voice = new FakeVoice(parent); });
        dialog->readingField()->setText(QStringLiteral("yin2 xing2"));
        dialog->listenButton()->click();
        dialog->listenButton()->click();
        QVERIFY(voice);
        QCOMPARE(voice->queue(), QStringList{QStringLiteral("银行")});
        QCOMPARE(voice->purgeCount(), 2);
        ListenerReadings heard;
        for (const QString &file : voice->readingsFiles())
            heard.add(ListenerReadings::load(file, *MandarinDictionary::shared()));
        QCOMPARE(CurrentReading(u"银行", 0, 2, *MandarinDictionary::shared(), heard), QStringLiteral("yin2 xing2"));

        // A reading that does not fit is refused, and Enter does nothing; one that fits is written.
        dialog->readingField()->setText(QStringLiteral("yin2"));
        QVERIFY(!dialog->okButton()->isEnabled());
        QVERIFY(dialog->refusalLabel()->text().contains(QStringLiteral("音节")));
        QTest::keyClick(dialog->readingField(), Qt::Key_Return);
        QVERIFY(dialog && dialog->isVisible());
        dialog->readingField()->setText(QStringLiteral("yín xíng"));
        QTest::keyClick(dialog->readingField(), Qt::Key_Return);
        QVERIFY(voice && voice->queue().isEmpty());
        QTRY_VERIFY(!dialog);
        QCOMPARE(Bytes(general), kept + QByteArrayLiteral("银行 yín xíng\r\n"));

        // Read with it now; "只用于本书" gives the novel a reading of its own, the general file kept.
        dialog = OpenDialog(reader, QStringLiteral("银行"));
        QVERIFY(dialog);
        QCOMPARE(dialog->currentField()->text(), QStringLiteral("yin2 xing2"));
        QVERIFY(!dialog->novelOnlyBox()->isChecked());
        dialog->novelOnlyBox()->setChecked(true);
        dialog->readingField()->setText(QStringLiteral("yin2 hang2"));
        dialog->okButton()->click();
        QTRY_VERIFY(!dialog);
        QCOMPARE(Bytes(novelFile), QByteArrayLiteral("银行 yin2 hang2\n"));
        QCOMPARE(Bytes(general), kept + QByteArrayLiteral("银行 yín xíng\r\n"));

        // The novel's file wins for the word, so the dialog writes there unless told otherwise;
        // Escape writes nothing.
        dialog = OpenDialog(reader, QStringLiteral("银行"));
        QVERIFY(dialog && dialog->novelOnlyBox()->isChecked());
        dialog->readingField()->setText(QStringLiteral("yin2 heng2"));
        QTest::keyClick(dialog->readingField(), Qt::Key_Escape);
        QTRY_VERIFY(!dialog);
        QCOMPARE(Bytes(novelFile), QByteArrayLiteral("银行 yin2 hang2\n"));

        // A file that cannot be written is told, and the dialog keeps what was typed.
        qputenv("XDG_CONFIG_HOME", f.path(QStringLiteral("novel.txt")).toUtf8()); // a file, no folder
        dialog = OpenDialog(reader, QStringLiteral("商店"));
        QVERIFY(dialog);
        dialog->readingField()->setText(QStringLiteral("shang1 dian4"));
        dialog->okButton()->click();
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY2(dialog->statusLine()->message().contains(QStringLiteral("无法写入 pronunciations.txt")),
                 qPrintable(dialog->statusLine()->message()));
        QCOMPARE(dialog->readingField()->text(), QStringLiteral("shang1 dian4"));
        dialog->reject();
    }
};

TARROWIN_TEST_MAIN(TestReadingDialog)
#include "tst_ReadingDialog.moc"
