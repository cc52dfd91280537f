#include "TestRegistry.h"
#include "FormTimer.h"
#include "StatusLine.h"
#include "ReaderFixture.h"
#include "kxButtons_H.h"
#include "TextCodec.h"
#include "mdlFileBinText.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>

namespace {

qint64 Position(const frmRead *r)
{
    return r->txtWeiZhi->Text().toLongLong();
}

// Byte position at which the page shown begins.
qint64 PageStart(const frmRead *r)
{
    return Position(r) - Gbk::byteLength(r->txtTarrowin->Text());
}

}

class TestFrmRead : public QObject
{
    Q_OBJECT
private slots:
    void opensAtThePieceBeingReadAndHandsBackOnClose()
    {
        ReaderFixture f;
        const QString text = NumberedNovel(400);
        frmTTS *tts = f.loadTts(text);
        tts->txtChaZhao->setText(QStringLiteral("这是第120句话"));
        tts->cmdChaZhao_Click();
        const QString piece = tts->txtLangDu->Text();
        QVERIFY(piece.startsWith(QStringLiteral("这是第120句话")));

        frmRead *reader = f.open();
        QVERIFY(reader->isVisible());
        QVERIFY(!tts->isVisible());
        QVERIFY(reader->windowTitle().startsWith(QStringLiteral("原文 - novel")));
        QVERIFY(reader->txtTarrowin->Text().startsWith(QStringLiteral("这是第120句话")));
        QCOMPARE(PageStart(reader), 1 + Gbk::byteLength(text.left(text.indexOf(QStringLiteral("这是第120句话")))));
        QCOMPARE(reader->txtChaZhao->Text(), reader->txtTarrowin->Text());

        for (int i = 0; i < 3; ++i)
            reader->cmdRead_Click(0);
        const QString page = reader->txtTarrowin->Text();
        QVERIFY(!page.startsWith(QStringLiteral("这是第120句话")));
        reader->close();
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".kan")), Gbk::fromUnicode(page));
        QVERIFY(tts->isVisible());
        QCOMPARE(tts->txtTTS->Text(), QString());
        QVERIFY2(tts->txtLangDu->Text().startsWith(page.left(qMin(page.size(), tts->txtLangDu->Text().size()))),
                 qPrintable(tts->txtLangDu->Text()));
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".find")), Gbk::fromUnicode(tts->txtChaZhao->Text()));

        // Shown again, it loads afresh at the read-aloud window's place.
        tts->cmdRead_Click();
        QVERIFY(reader->isVisible());
        QVERIFY(reader->txtTarrowin->Text().startsWith(tts->txtLangDu->Text().left(10)));
    }

    // A place written to the state folder because its own file cannot be is said once, by the
    // reader when it is in front; the hidden read-aloud window says nothing.
    void aPlaceKeptElsewhereIsSaidOnceByTheWindowInFront()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(NumberedNovel(400));
        tts->cmdChongTou_Click();
        frmRead *reader = f.open();
        QFile::remove(f.path(f.novel + QStringLiteral(".find")));
        QVERIFY(QDir(f.path(QString())).mkdir(f.novel + QStringLiteral(".find"))); // a folder in its way
        for (int turn = 0; turn < 2; ++turn) {
            reader->cmdRead_Click(0);
            tts->SideFiles()->flush();
            QCOMPARE(reader->lblZhuangTai->message().startsWith(QStringLiteral("无法写入 ") + f.novel), turn == 0);
            reader->lblZhuangTai->say(QString());
        }
        QVERIFY(tts->lblZhuangTai->message().isEmpty());
        reader->close();
    }

    void anEmptyReadAloudSearchOpensEmpty()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(NumberedNovel(50));
        tts->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        QCOMPARE(reader->txtTarrowin->Text(), QString());
        QCOMPARE(reader->txtWeiZhi->Text(), QStringLiteral("1"));
        reader->cmdRead_Click(0);
        QVERIFY(reader->txtTarrowin->Text().startsWith(QStringLiteral("第一回")));
    }

    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<qint64>("start");
        QTest::newRow("empty search box: first page") << NumberedNovel(50) << QString() << qint64(1);
        QTest::newRow("match at the start") << NumberedNovel(50) << QStringLiteral("第一回") << qint64(1);
        QTest::newRow("Chinese after ASCII: byte offset") << QStringLiteral("ab c\n甲乙目标在此。") + NumberedNovel(5)
                                                         << QStringLiteral("目标") << qint64(1 + 5 + 4);
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(qint64, start);
        ReaderFixture f;
        f.loadTts(text)->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        reader->txtChaZhao->setText(needle);
        reader->cmdChaZhao_Click();
        QCOMPARE(PageStart(reader), start);
        QVERIFY(reader->txtTarrowin->Text().startsWith(needle));
        QCOMPARE(reader->txtChaZhao->Text(), reader->txtTarrowin->Text());
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".find")), Gbk::fromUnicode(reader->txtTarrowin->Text()));
    }

    void findWithoutAMatchChangesNothing()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50))->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        reader->cmdRead_Click(0);
        const QString page = reader->txtTarrowin->Text();
        reader->txtChaZhao->setText(QStringLiteral("不存在的话"));
        reader->cmdChaZhao_Click();
        QCOMPARE(reader->txtTarrowin->Text(), page);
        QCOMPARE(reader->txtChaZhao->Text(), QStringLiteral("不存在的话"));
    }

    // "看到" without a bookmark leaves the search box and ".find" at the page shown.
    void bookmarkWithoutKanFileKeepsThePlace()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50))->txtChaZhao->setText(QStringLiteral("这是第3句话"));
        frmRead *reader = f.open();
        const QString page = reader->txtTarrowin->Text();
        QVERIFY(!page.isEmpty());
        reader->cmdKanDao_Click();
        QCOMPARE(reader->txtChaZhao->Text(), page);
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".find")), Gbk::fromUnicode(page));
    }

    // "看到" with a bookmark that is no place in the novel leaves the search box and ".find" at
    // the page shown; one that is takes the search box there.
    void bookmarkThatIsNoPlaceKeepsThePlace_data()
    {
        QTest::addColumn<QByteArray>("kan");
        QTest::addColumn<bool>("taken");
        const QByteArray novel = Gbk::fromUnicode(NumberedNovel(50));
        QTest::newRow("empty .kan") << QByteArray() << false;
        QTest::newRow("stale text") << Gbk::fromUnicode(QStringLiteral("这是第77句话")) << false;
        QByteArray random(300, Qt::Uninitialized);
        for (qsizetype i = 0; i < random.size(); ++i)
            random[i] = char((i * 151 + 7) % 256);
        QTest::newRow("random bytes") << random << false;
        QTest::newRow("larger than the novel") << novel + novel << false;
        QTest::newRow("a place of the novel") << Gbk::fromUnicode(QStringLiteral("这是第40句话")) << true;
    }
    void bookmarkThatIsNoPlaceKeepsThePlace()
    {
        QFETCH(QByteArray, kan);
        QFETCH(bool, taken);
        ReaderFixture f;
        f.loadTts(NumberedNovel(50))->txtChaZhao->setText(QStringLiteral("这是第3句话"));
        f.writeBytes(f.novel + QStringLiteral(".kan"), kan);
        frmRead *reader = f.open();
        const QString page = reader->txtTarrowin->Text();
        QVERIFY(!page.isEmpty());
        reader->cmdKanDao_Click();
        const QString expected = taken ? Gbk::toUnicode(kan) : page;
        QCOMPARE(reader->txtChaZhao->Text(), expected);
        QCOMPARE(reader->txtTarrowin->Text(), page);
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".find")), Gbk::fromUnicode(expected));
    }

    // What is typed reaches ".find" (a burst of keys is written once, see the fault tests).
    void typingReachesTheFindFile()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50))->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        reader->txtChaZhao->setFocus();
        const QString typed = QStringLiteral("abc");
        for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(reader->txtChaZhao, typed.at(i).toLatin1());
            QCOMPARE(f.readBytes(f.novel + QStringLiteral(".find")), typed.left(i + 1).toLatin1());
        }
    }

    void keysTurnPagesOnRelease_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("direction");
        QTest::newRow("Right") << int(Qt::Key_Right) << 1;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 1;
        QTest::newRow("Left") << int(Qt::Key_Left) << -1;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << -1;
        QTest::newRow("other key") << int(Qt::Key_A) << 0;
    }
    void keysTurnPagesOnRelease()
    {
        QFETCH(int, key);
        QFETCH(int, direction);
        ReaderFixture f;
        f.loadTts(NumberedNovel(400))->txtChaZhao->setText(QStringLiteral("这是第100句话"));
        frmRead *reader = f.open();
        reader->activateWindow();
        reader->txtTarrowin->setFocus();
        const qint64 start = PageStart(reader);
        const qint64 end = Position(reader);
        QTest::keyPress(reader->txtTarrowin, Qt::Key(key));
        QCOMPARE(Position(reader), end); // nothing on press
        QTest::keyRelease(reader->txtTarrowin, Qt::Key(key));
        if (direction > 0)
            QCOMPARE(PageStart(reader), end); // exactly one page, though the release reached the window too
        else if (direction < 0)
            QCOMPARE(Position(reader), start);
        else
            QCOMPARE(Position(reader), end);
    }

    void scrollKeysAndMouse()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(400))->txtChaZhao->setText(QStringLiteral("这是第100句话"));
        frmRead *reader = f.open();
        reader->Form_KeyUp(Qt::Key_Up);
        QCOMPARE(reader->lblGunDong->text(), QStringLiteral("100"));
        reader->Form_KeyUp(Qt::Key_F2);
        QVERIFY(reader->chkGunDong->isChecked());
        QVERIFY(reader->tmrGunDong->Enabled());
        reader->Form_KeyUp(Qt::Key_Up);
        QCOMPARE(reader->lblGunDong->text(), QStringLiteral("102"));
        QCOMPARE(f.setting("GUNDONGSUDU"), QStringLiteral("102"));
        reader->Form_KeyUp(Qt::Key_Down);
        QCOMPARE(reader->tmrGunDong->Interval(), 100);
        reader->Form_KeyUp(Qt::Key_End);
        QVERIFY(!reader->chkGunDong->isChecked());
        QVERIFY(!reader->tmrGunDong->Enabled());

        emit reader->txtTarrowin->DblClick();
        QVERIFY(reader->chkGunDong->isChecked());
        reader->chkGunDong->setChecked(false);

        reader->txtTarrowin_MouseUp(Qt::LeftButton, QPoint(10, 10));
        QVERIFY(!reader->mnuTanChu->isVisible());
        reader->txtTarrowin_MouseUp(Qt::RightButton, QPoint(10, 10));
        QVERIFY(reader->mnuTanChu->isVisible());
        reader->mnuTanChu->hide();
    }

    void presets()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        reader->txtYeShu[1]->setText(QStringLiteral("7"));
        reader->txtYeShu_DblClick(1);
        QCOMPARE(reader->txtYeShu[1]->Text(), QStringLiteral("50"));
        reader->txtYeShu[0]->setText(QStringLiteral("20页"));
        reader->cmdYeShu_Click(0);
        QCOMPARE(f.setting("QIANFANYESHU0"), QStringLiteral("20"));
        reader->txtYeShu[0]->setText(QStringLiteral("1"));
        reader->txtYeShu_DblClick(0);
        QCOMPARE(reader->txtYeShu[0]->Text(), QStringLiteral("20"));
    }

    void percentageFollowsThePosition()
    {
        ReaderFixture f;
        const QString text = NumberedNovel(50);
        f.loadTts(text)->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        QCOMPARE(reader->lblLangDuBiLi->text(), QStringLiteral("0"));
        reader->cmdRead_Click(0);
        // Hundredths of a percent, rounded half up in whole numbers.
        const qint64 length = Gbk::byteLength(text);
        const qint64 hundredths = (Position(reader) * 20000 + length) / (2 * length);
        QVERIFY(hundredths > 0 && hundredths < 10000);
        const QString expected =
            QStringLiteral("%1.%2%").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
        QCOMPARE(reader->lblLangDuBiLi->text(), expected);
    }

    void shownPageNeverOverflowsThePageBox()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(400))->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        for (int i = 0; i < 5; ++i) {
            reader->cmdRead_Click(0);
            QVERIFY(!reader->TextOverflows(reader->txtTarrowin));
            reader->txtTarrowin->setText(reader->txtTarrowin->Text() + QStringLiteral("多出来的字").repeated(20));
            QVERIFY(reader->TextOverflows(reader->txtTarrowin));
            reader->cmdRead_Click(1);
            reader->cmdRead_Click(0);
        }
    }

    // The side bar names the encoding in force and follows "编码" at once, both ways.
    void sideBarShowsEncodingInForce()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(NumberedNovel(20));
        frmRead *r = f.open();
        QCOMPARE(r->lblBianMa->accessibleName(), QStringLiteral("编码"));
        QCOMPARE(r->lblBianMa->text(), QStringLiteral("编码 GBK"));
        tts->cboBianMa->setCurrentText(QStringLiteral("UTF-16BE"));
        tts->cboBianMa_Click();
        QCOMPARE(r->lblBianMa->text(), QStringLiteral("编码 UTF-16BE"));
        tts->cboBianMa->setCurrentText(QStringLiteral("自动"));
        tts->cboBianMa_Click();
        QCOMPARE(r->lblBianMa->text(), QStringLiteral("编码 GBK"));
        r->close();
    }

    // A UTF-16LE novel with a byte-order mark (two bytes a unit after the two of the mark), found
    // by itself and turned with the window's page buttons from the start to the end and back:
    // each page is the text where the position says, the mark never shows, and the bookmark
    // written on closing holds the page in the novel's encoding.
    void utf16NovelTurnedPageByPage()
    {
        ReaderFixture f;
        const QString text = NumberedNovel(300).replace(QStringLiteral("内容平常"), QStringLiteral("内容𠀀常"));
        const TextEncoding utf16 = TextEncoding::Utf16Le;
        frmTTS *tts = f.loadTtsBytes("\xFF\xFE" + TextCodec::Encode(utf16, text));
        tts->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        QCOMPARE(reader->lblBianMa->text(), QStringLiteral("编码 UTF-16LE"));
        auto unitAt = [](qint64 position) { return (position - 3) / 2; };
        auto pageStart = [&] { return Position(reader) - TextCodec::ByteLength(utf16, reader->txtTarrowin->Text()); };
        auto turn = [&](int index) {
            QTest::mouseClick(reader->cmdRead[index], Qt::LeftButton, {}, reader->cmdRead[index]->rect().center());
        };

        QString shown;
        for (int pages = 0; Position(reader) < 3 + 2 * text.size(); ++pages) {
            QVERIFY2(pages < 200, "the end was never reached");
            turn(0);
            const QString page = reader->txtTarrowin->Text();
            QVERIFY(!page.isEmpty());
            QCOMPARE(pageStart(), pages == 0 ? qint64(3) : 3 + 2 * shown.size());
            shown += page;
            QCOMPARE(Position(reader), 3 + 2 * shown.size());
            QCOMPARE(reader->txtChaZhao->Text(), page);
        }
        QCOMPARE(shown, text);
        const QString last = reader->txtTarrowin->Text();
        turn(0);
        QCOMPARE(reader->txtTarrowin->Text(), last);
        QCOMPARE(Position(reader), 3 + 2 * text.size());

        int pagesBack = 0;
        for (qint64 start = pageStart(); start > 3; start = pageStart(), ++pagesBack) {
            QVERIFY2(pagesBack < 200, "the start was never reached");
            turn(1);
            const QString page = reader->txtTarrowin->Text();
            QVERIFY(!page.isEmpty());
            if (pageStart() > 3)
                QCOMPARE(Position(reader), start); // ends where the page after it begins
            QCOMPARE(page, text.mid(unitAt(pageStart()), page.size()));
        }
        QVERIFY(pagesBack > 2);
        QVERIFY(reader->txtTarrowin->Text().startsWith(QStringLiteral("第一回")));

        const QString page = reader->txtTarrowin->Text();
        reader->close();
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".kan")), TextCodec::Encode(utf16, page));
    }
};

TARROWIN_TEST_MAIN(TestFrmRead)
#include "tst_frmRead.moc"
