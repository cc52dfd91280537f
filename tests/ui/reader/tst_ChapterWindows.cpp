// The table of contents in both windows: the dialog (current chapter selected, an entry chosen by
// double click, Enter or "确定", a novel without headings), the read-aloud window's "目录",
// "上一章" and "下一章" with their keys and its caption, and the reader's "目录".
#include "TestRegistry.h"
#include "ReadAloudMessages.h"
#include "SleepTimer.h"
#include "StatusLine.h"
#include "ChapterCache.h"
#include "ChapterLoader.h"
#include "ReaderFixture.h"
#include "TextCodec.h"
#include "kxButtons_H.h"
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// A preface and five chapters, each long enough for several pieces and pages.
QString ChapterNovel()
{
    QString text = QStringLiteral("前言 写在前面\n这是前言的话。\n");
    for (int chapter = 1; chapter <= 5; ++chapter) {
        text += QStringLiteral("第%1章 标题%1\n").arg(chapter);
        for (int line = 1; line <= 30; ++line)
            text += QStringLiteral("这是本章的第%1句话，平常的内容。\n").arg(line);
    }
    return text;
}

// The byte position of the line that starts with `line`.
qint64 LineStart(const QString &text, const QString &line)
{
    return 1 + Gbk::byteLength(text.left(text.indexOf(QStringLiteral("\n") + line) + 1));
}

ChapterList Contents()
{
    return ChapterList({{BytePos(1), HeadingLevel::Chapter, QStringLiteral("序")},
                        {BytePos(10), HeadingLevel::Volume, QStringLiteral("第一卷")},
                        {BytePos(20), HeadingLevel::Chapter, QStringLiteral("第一章")},
                        {BytePos(30), HeadingLevel::Chapter, QStringLiteral("第二章")}},
                       true);
}

QTreeWidgetItem *ItemOf(QTreeWidget *list, const QString &title)
{
    const QList<QTreeWidgetItem *> found = list->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

}

class TestChapterWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_cache.isValid());
        qputenv("XDG_CACHE_HOME", m_cache.path().toUtf8());
    }

    void dialogShowsCurrentChapterInItsVolume()
    {
        ChapterDialog dialog(Contents(), 2);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("目录"));
        QCOMPARE(dialog.ChosenIndex(), 2);
        QCOMPARE(dialog.list()->currentItem()->text(0), QStringLiteral("第一章"));
        QCOMPARE(dialog.list()->currentItem()->parent(), ItemOf(dialog.list(), QStringLiteral("第一卷")));
        QCOMPARE(ItemOf(dialog.list(), QStringLiteral("序"))->parent(), nullptr);
    }

    void dialogChoosesByDoubleClickEnterAndOk()
    {
        {
            ChapterDialog dialog(Contents(), 0);
            dialog.show();
            QTreeWidgetItem *item = ItemOf(dialog.list(), QStringLiteral("第二章"));
            const QPoint at = dialog.list()->visualItemRect(item).center();
            QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.ChosenIndex(), 3);
        }
        {
            ChapterDialog dialog(Contents(), 3);
            dialog.show();
            QTest::keyClick(dialog.list(), Qt::Key_Up);
            QTest::keyClick(dialog.list(), Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.ChosenIndex(), 2);
        }
        {
            ChapterDialog dialog(Contents(), 1);
            dialog.show();
            dialog.findChild<QPushButton *>(QStringLiteral("cmdQueDing"))->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.ChosenIndex(), 1);
            QVERIFY(!dialog.isVisible());
        }
    }

    void dialogOfNovelWithoutHeadings()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("plain.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 200; ++i)
            file.write(Gbk::fromUnicode(QStringLiteral("没有标题的一行。\n")));
        file.close();
        const std::optional<ChapterList> parts = LoadOrScanChapters(file.fileName());
        QVERIFY(parts);
        ChapterDialog dialog(*parts, 0);
        QTreeWidget *list = dialog.list();
        QCOMPARE(list->topLevelItemCount(), 1 + ChapterList::kParts);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("没有找到章节"));
        QVERIFY(!(list->topLevelItem(0)->flags() & Qt::ItemIsSelectable));
        QCOMPARE(list->topLevelItem(2)->text(0), QStringLiteral("5%"));
        QCOMPARE(dialog.ChosenIndex(), 0);
    }

    void readAloudChoosesChapterAndStepsThroughThem()
    {
        ReaderFixture f;
        const QString text = ChapterNovel();
        frmTTS *tts = f.loadTts(text);
        tts->cmdChongTou_Click();
        QTRY_VERIFY(tts->chapters()->IsReady());
        QVERIFY(tts->cmdMuLu->isEnabled());
        QCOMPARE(tts->chapters()->Chapters().size(), 6);
        QCOMPARE(tts->windowTitle(), QStringLiteral("朗读 - novel - 前言 写在前面"));

        int offered = -1;
        tts->setChapterChooser([&](QWidget *, const ChapterList &, int current) {
            offered = current;
            return std::optional<int>(3);
        });
        tts->cmdMuLu_Click();
        QCOMPARE(offered, 0);
        const qint64 third = LineStart(text, QStringLiteral("第3章"));
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第3章 标题3\n")));
        QCOMPARE(tts->txtWeiZhi->Text().toLongLong(), third + Gbk::byteLength(tts->txtLangDu->Text()));
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".find")), Gbk::fromUnicode(tts->txtLangDu->Text()));
        QCOMPARE(tts->windowTitle(), QStringLiteral("朗读 - novel - 第3章 标题3"));

        // Within a chapter, the next chapter is the one after it, the previous the one before.
        tts->cmdXiaYiZhang_Click();
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第4章")));
        tts->cmdShangYiZhang_Click();
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第3章")));
        tts->cmdShangYiZhang_Click();
        tts->cmdShangYiZhang_Click();
        tts->cmdShangYiZhang_Click();
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("前言")));
        const QString first = tts->txtLangDu->Text();
        tts->cmdShangYiZhang_Click();
        QCOMPARE(tts->txtLangDu->Text(), first);
        QCOMPARE(tts->lblZhuangTai->message(), ReadAloudMessages::NoChapterBefore());

        // From the last chapter "下一章" moves nothing and says so, and "本章结束" says where it stops.
        tts->setChapterChooser([](QWidget *, const ChapterList &list, int) { return std::optional<int>(list.size() - 1); });
        tts->cmdMuLu_Click();
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第5章")));
        const QString position = tts->txtWeiZhi->Text();
        const QByteArray find = f.readBytes(f.novel + QStringLiteral(".find"));
        tts->cmdXiaYiZhang_Click();
        QCOMPARE(tts->txtWeiZhi->Text(), position);
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第5章")));
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".find")), find);
        QCOMPARE(tts->lblZhuangTai->message(), ReadAloudMessages::NoChapterAfter());
        tts->ChooseSleepTimer(SleepTimer::EndOfChapter);
        QCOMPARE(tts->lblZhuangTai->message(), ReadAloudMessages::LastChapterEndsWithTheNovel());
        // A cancelled choice moves nothing.
        tts->setChapterChooser([](QWidget *, const ChapterList &, int) { return std::nullopt; });
        tts->cmdMuLu_Click();
        QCOMPARE(tts->txtWeiZhi->Text(), position);
        // The novel replaced by a shorter one while the list is open: the chapter gone is said,
        // the place stays and reading starts there.
        tts->cmdShangYiZhang_Click();
        tts->setChapterChooser([&](QWidget *, const ChapterList &list, int) {
            QFile shorter(f.path(f.novel));
            shorter.open(QIODevice::WriteOnly | QIODevice::Truncate);
            shorter.write(Gbk::fromUnicode(text.left(text.indexOf(QStringLiteral("第5章")) - 1)));
            return std::optional<int>(list.size() - 1);
        });
        tts->cmdMuLu_Click();
        QCOMPARE(tts->lblZhuangTai->message(), ReadAloudMessages::ChapterGone());
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第4章")));
        tts->cmdSpeak_Click(0);
        QVERIFY(static_cast<FakeVoice *>(tts->mobjSpkOne())->queue().first().startsWith(QStringLiteral("第4章")));
    }

    void readAloudKeysAndSpeechGoOn()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(ChapterNovel());
        tts->cmdChongTou_Click();
        tts->show();
        tts->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(tts));
        QTRY_VERIFY(tts->chapters()->IsReady());
        QTest::keyClick(tts, Qt::Key_PageDown, Qt::ControlModifier);
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第1章")));
        QTest::keyClick(tts, Qt::Key_PageDown, Qt::ControlModifier);
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第2章")));
        QTest::keyClick(tts, Qt::Key_PageUp, Qt::ControlModifier);
        QVERIFY(tts->txtLangDu->Text().startsWith(QStringLiteral("第1章")));

        // While the voice speaks, it goes on with the chapter moved to.
        auto *voice = static_cast<FakeVoice *>(tts->mobjSpkOne());
        tts->cmdSpeak_Click(0);
        QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
        tts->cmdXiaYiZhang_Click();
        QVERIFY(!voice->queue().isEmpty());
        QVERIFY(voice->queue().first().startsWith(QStringLiteral("第2章")));
    }

    void readAloudFindsChaptersOfNovelOutsideProgramFolder()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(QStringLiteral("plain"));
        QTemporaryDir elsewhere;
        const QString novel = elsewhere.filePath(QStringLiteral("outside.txt"));
        QFile file(novel);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Gbk::fromUnicode(ChapterNovel()));
        file.close();
        tts->txtFilePathName->setText(novel);
        QTRY_VERIFY(tts->chapters()->IsReady() && tts->chapters()->Path() == novel);
        QCOMPARE(tts->chapters()->Chapters().size(), 6);
    }

    void readerShowsPageOfChosenChapter()
    {
        ReaderFixture f;
        const QString text = ChapterNovel();
        frmTTS *tts = f.loadTts(text);
        tts->cmdChongTou_Click();
        frmRead *reader = f.open();
        QTRY_VERIFY(reader->chapters()->IsReady());
        QVERIFY(reader->cmdMuLu->isEnabled());
        int offered = -1;
        reader->setChapterChooser([&](QWidget *, const ChapterList &, int current) {
            offered = current;
            return std::optional<int>(2);
        });
        reader->cmdMuLu_Click();
        QCOMPARE(offered, 0);
        const QString page = reader->txtTarrowin->Text();
        QVERIFY2(page.startsWith(QStringLiteral("第2章 标题2\n")), qPrintable(page));
        QCOMPARE(reader->txtWeiZhi->Text().toLongLong(), LineStart(text, QStringLiteral("第2章")) + Gbk::byteLength(page));
        // The title follows the chapter of the page shown, the read-aloud window's its own.
        QCOMPARE(reader->windowTitle(), QStringLiteral("原文 - novel - 第2章 标题2"));
        QVERIFY(tts->windowTitle().startsWith(QStringLiteral("朗读 - novel")));
        // The dialog is offered the chapter of the page shown.
        reader->cmdRead_Click(0);
        const qint64 pageStart = reader->txtWeiZhi->Text().toLongLong() - Gbk::byteLength(reader->txtTarrowin->Text());
        int expected = 0;
        for (int chapter = 1; chapter <= 5; ++chapter)
            expected += LineStart(text, QStringLiteral("第%1章").arg(chapter)) <= pageStart ? 1 : 0;
        reader->cmdMuLu_Click();
        QCOMPARE(offered, expected);
        const QString shown = reader->chapters()->Chapters().titleAt(BytePos(pageStart));
        QCOMPARE(reader->windowTitle(), QStringLiteral("原文 - novel - ") + shown);
        reader->close();
    }

    // A Big5 novel is found to be Big5; chosen as GBK, whose reading finds no headings, and as
    // Big5 again, both windows find its chapters in the encoding chosen and show them.
    void chaptersFollowChosenEncoding()
    {
        ReaderFixture f;
        const QString text = ChapterNovel();
        frmTTS *tts = f.loadTts(QStringLiteral("plain"));
        const QString big5 = QStringLiteral("big5.txt");
        QFile file(f.path(big5));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(TextCodec::Encode(TextEncoding::Big5, text));
        file.close();
        tts->txtFilePathName->setText(big5);
        QTRY_VERIFY(tts->chapters()->IsReady());
        QCOMPARE(tts->chapters()->Requested().encoding, TextEncoding::Big5);
        QCOMPARE(tts->chapters()->Chapters().size(), 6);

        tts->cboBianMa->setCurrentText(QStringLiteral("GBK"));
        tts->cboBianMa_Click();
        QTRY_VERIFY(tts->chapters()->IsReady() && tts->chapters()->Requested().encoding == TextEncoding::Gbk);
        QVERIFY(tts->chapters()->Chapters().size() != 6);

        tts->cboBianMa->setCurrentText(QStringLiteral("Big5"));
        tts->cboBianMa_Click();
        QTRY_VERIFY(tts->chapters()->IsReady() && tts->chapters()->Requested().encoding == TextEncoding::Big5);
        QCOMPARE(tts->chapters()->Chapters().size(), 6);
        tts->cmdChongTou_Click();
        tts->cmdXiaYiZhang_Click();
        QVERIFY2(tts->txtLangDu->Text().startsWith(QStringLiteral("第1章")), qPrintable(tts->txtLangDu->Text()));
        tts->cmdXiaYiZhang_Click();
        QVERIFY2(tts->txtLangDu->Text().startsWith(QStringLiteral("第2章")), qPrintable(tts->txtLangDu->Text()));

        frmRead *reader = f.open();
        QTRY_VERIFY(reader->chapters()->IsReady());
        QCOMPARE(reader->chapters()->Requested().encoding, TextEncoding::Big5);
        reader->setChapterChooser([](QWidget *, const ChapterList &, int) { return std::optional<int>(3); });
        reader->cmdMuLu_Click();
        QVERIFY2(reader->txtTarrowin->Text().startsWith(QStringLiteral("第3章")), qPrintable(reader->txtTarrowin->Text()));
        reader->close();
    }

private:
    QTemporaryDir m_cache;
};

TARROWIN_TEST_MAIN(TestChapterWindows)
#include "tst_ChapterWindows.moc"
