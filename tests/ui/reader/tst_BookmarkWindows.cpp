// The bookmarks as each window binds them: the read-aloud window marks the sentence heard when the
// sleep timer stops it, and keeps the shelf up to date; the reader marks the top of its page and
// shows that page again when the bookmark is chosen.
#include "TestRegistry.h"
#include "BookmarkCommands.h"
#include "BookmarkDialog.h"
#include "BookmarkFile.h"
#include "ReaderFixture.h"
#include "Shelf.h"
#include "SleepTimer.h"
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QTreeWidget>

class tst_BookmarkWindows : public QObject
{
    Q_OBJECT
private slots:
    void readAloudMarksTheSentenceHeardWhenTheSleepTimerStops()
    {
        ReaderFixture f;
        const QString text = QStringLiteral("第一句话。第二句话在这里。第三句。");
        frmTTS *tts = f.loadTts(text);
        qint64 now = 0;
        tts->setSleepClock([&now] { return now; });
        tts->cmdSpeak_Click(0);
        auto *voice = static_cast<FakeVoice *>(tts->mobjSpkOne());
        voice->sayWord(int(text.indexOf(QStringLiteral("在"))), 1);
        tts->ChooseSleepTimer(SleepTimer::Minutes15);
        now = 15 * 60'000;
        QTRY_COMPARE(voice->RunningState(), int(SpeechVoice::SRSEDone));

        const std::optional<QList<Bookmark>> marks = BookmarkFile::Load(f.novel);
        QVERIFY(marks && marks->size() == 1);
        QCOMPARE(marks->first().note, QStringLiteral("定时停止"));
        QCOMPARE(marks->first().text, QStringLiteral("第二句话在这里。第三句。"));
        const Shelf *shelf = tts->shelf();
        const int row = shelf->indexOf(f.path(f.novel));
        QVERIFY(row >= 0);
        QCOMPARE(shelf->entries()[row].place, std::optional<BytePos>(BytePos(1)));
    }

    void readerMarksTheTopOfItsPageAndShowsItAgain()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(600));
        frmRead *reader = f.open();
        for (int page = 0; page < 3; ++page)
            reader->cmdRead_Click(0);
        const BytePos top = reader->PageStart();
        const QString page = reader->txtTarrowin->Text();
        reader->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(reader));
        QTimer::singleShot(0, [] {
            if (auto *note = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                note->reject();
        });
        QTest::keyClick(reader, Qt::Key_B, Qt::ControlModifier); // the note asked for is left unwritten
        QCOMPARE(BookmarkFile::Load(f.novel).value_or(QList<Bookmark>()).size(), 1);
        reader->cmdRead_Click(0);
        QVERIFY(reader->PageStart() != top);

        QTimer::singleShot(0, [] {
            if (auto *dialog = qobject_cast<BookmarkDialog *>(QApplication::activeModalWidget()))
                QTest::keyClick(dialog->list(), Qt::Key_Return);
        });
        reader->bookmarks()->listAction()->trigger();
        QCOMPARE(reader->PageStart(), top);
        QCOMPARE(reader->txtTarrowin->Text(), page);
    }
};

TARROWIN_TEST_MAIN(tst_BookmarkWindows)
#include "tst_BookmarkWindows.moc"
