#include "TestRegistry.h"
#include "FormTimer.h"
#include "NumericText.h"
#include "ReaderFixture.h"
#include <QCheckBox>
#include <QLabel>
#include <QRandomGenerator>

// Settings files that no program wrote, read by the reader window's load: random bytes, and in
// section KANXIAOSHUO font sizes of 0, below 0 and far too large, colours out of range, scroll
// speeds of 0, below 0 and huge, page-count presets far too large or below 0, a window far larger
// than any screen. The reader loads with a usable page box and a measured chunk size, opens at the
// read-aloud window's place, turns pages, scrolls without a spinning timer, turns many pages
// without end only as far as the file goes, and closes writing back the values it used.
class TestReaderHostileSettings : public QObject
{
    Q_OBJECT
private slots:
    void loadsWithSaneValues_data();
    void loadsWithSaneValues();
};

namespace {

const QString kFindText = QStringLiteral("这是第20句话");

QByteArray section(const QByteArray &lines)
{
    return "[KANXIAOSHUO]\r\n" + lines;
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

void store(const QByteArray &bytes)
{
    QFile file(mdlIniFile::IniFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The chunk size of a box that shows every count of "好" tried: 1.2 times the bytes of 10001.
constexpr qint64 kLargestChunk = 24002;

// The presets loaded by a double click turn that many pages (or one); a huge count ends at the
// last page of the file going forward, and at the first page going back.
void checkPageTurns(frmRead *reader)
{
    for (int index : {0, 1}) {
        reader->txtYeShu_DblClick(index);
        const qint64 count = NumericValue(reader->txtYeShu[index]->Text());
        const QString before = reader->txtTarrowin->Text();
        reader->cmdRead_Click(index);
        QVERIFY2(reader->txtTarrowin->Text() != before,
                 qPrintable(QStringLiteral("turn %1 of %2 pages left the page \"%3\" at %4, chunk %5, font %6 pt, box %7 x %8")
                                .arg(index).arg(count).arg(before.left(12), reader->txtWeiZhi->Text(), reader->txtFenChangDu->Text())
                                .arg(reader->txtTarrowin->font().pointSizeF()).arg(reader->txtTarrowin->width())
                                .arg(reader->txtTarrowin->height())));
        QCOMPARE(reader->txtYeShu[index]->Text(), count > 1 ? QStringLiteral("1") : QString::number(count));
        if (count > 1000 && index == 0) // the last page stays on show
            QVERIFY(reader->txtTarrowin->Text().endsWith(QStringLiteral("第300句话，内容平常，用来分页。")));
        if (count > 1000 && index == 1)
            QVERIFY(reader->txtTarrowin->Text().startsWith(QStringLiteral("第一回")));
    }
}

void checkScrolling(frmRead *reader)
{
    const int interval = reader->tmrGunDong->Interval();
    QCOMPARE(qint64(interval), NumericValue(reader->lblGunDong->text()));
    reader->txtYeShu[0]->setText(QStringLiteral("1"));
    const QString before = reader->txtTarrowin->Text();
    reader->chkGunDong->setChecked(true);
    QVERIFY(reader->txtTarrowin->Text() != before);
    QCOMPARE(reader->tmrGunDong->Running(), interval > 0);
    reader->tmrGunDong_Timer();
    QVERIFY(reader->GunDongHeight() > 0);
    reader->cmdGunDong_Click(1);
    QVERIFY(reader->tmrGunDong->Interval() >= 10 && reader->tmrGunDong->Interval() <= 500);
    QVERIFY(reader->tmrGunDong->Running());
    reader->chkGunDong->setChecked(false);
}

}

void TestReaderHostileSettings::loadsWithSaneValues_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("64 KB of random bytes") << randomBytes(64 * 1024, 20240611);
    QTest::newRow("random bytes, then the section")
        << randomBytes(64 * 1024, 7) + "\r\n" + section("ZIHAO=0\r\nGUNDONGSUDU=-1\r\n");
    QTest::newRow("font size 0") << section("ZIHAO=0\r\n");
    QTest::newRow("font size below 0") << section("ZIHAO=-12\r\n");
    QTest::newRow("font size 100000") << section("ZIHAO=100000\r\n");
    QTest::newRow("font size beyond 32 bits") << section("ZIHAO=99999999999\r\n");
    QTest::newRow("font name of 10 KB") << section("ZITI=" + QByteArray(10000, 'F') + "\r\n");
    QTest::newRow("colours beyond 24 bits") << section("SEWENZI=2147483647\r\nSEBEIJING=16777216\r\n");
    QTest::newRow("colours -1 and the lowest") << section("SEWENZI=-1\r\nSEBEIJING=-2147483648\r\n");
    QTest::newRow("system colours past the table") << section("SEWENZI=-2147483393\r\nSEBEIJING=-2147483585\r\n");
    QTest::newRow("colours beyond 32 bits") << section("SEWENZI=99999999999\r\nSEBEIJING=-99999999999\r\n");
    QTest::newRow("scroll speed 0") << section("GUNDONGSUDU=0\r\n");
    QTest::newRow("scroll speed below 0") << section("GUNDONGSUDU=-50\r\n");
    QTest::newRow("scroll speed of the largest 32-bit number") << section("GUNDONGSUDU=2147483647\r\n");
    QTest::newRow("scroll speed beyond 32 bits") << section("GUNDONGSUDU=99999999999\r\n");
    QTest::newRow("speed step huge") << section("GUNDONGSUDU=100\r\nGONGDONGGAIBIANLIANG=2147483647\r\n");
    QTest::newRow("page counts huge") << section("QIANFANYESHU0=2147483647\r\nQIANFANYESHU1=99999999999\r\n");
    QTest::newRow("page counts below 0") << section("QIANFANYESHU0=-5\r\nQIANFANYESHU1=-2147483648\r\n");
    QTest::newRow("window far larger than any screen")
        << section("KUANDU=300000\r\nGAODU=300000\r\nZUOBIAN=-2147483648\r\nSHANGBIAN=2147483647\r\n");
    QTest::newRow("window of no size") << section("KUANDU=0\r\nGAODU=-100\r\n");
    QTest::newRow("everything at once")
        << section("ZIHAO=100000\r\nSEWENZI=-1\r\nSEBEIJING=99999999999\r\nGUNDONGSUDU=-7\r\n"
                   "QIANFANYESHU0=2147483647\r\nQIANFANYESHU1=2147483647\r\nKUANDU=0\r\nGAODU=2147483647\r\n");
}

void TestReaderHostileSettings::loadsWithSaneValues()
{
    QFETCH(QByteArray, content);
    ReaderFixture f;
    f.loadTts(NumberedNovel(300))->txtChaZhao->setText(kFindText);
    store(content);
    frmRead *reader = f.open();

    QVERIFY(reader->isVisible());
    // A usable page box shows at least two characters and not all that the measure tries.
    const qint64 chunk = NumericValue(reader->txtFenChangDu->Text());
    QVERIFY2(reader->txtTarrowin->font().pointSizeF() > 0 && chunk > 2 && chunk < kLargestChunk,
             qPrintable(QStringLiteral("chunk size %1, font %2 pt, page box %3 x %4")
                            .arg(chunk).arg(reader->txtTarrowin->font().pointSizeF())
                            .arg(reader->txtTarrowin->width()).arg(reader->txtTarrowin->height())));
    QVERIFY2(reader->txtTarrowin->Text().startsWith(kFindText), qPrintable(reader->txtTarrowin->Text().left(20)));
    QVERIFY(reader->txtTarrowin->palette().color(QPalette::Text).isValid());
    QVERIFY(reader->txtTarrowin->palette().color(QPalette::Base).isValid());

    checkScrolling(reader);
    reader->txtChaZhao->setText(kFindText);
    reader->cmdChaZhao_Click();
    checkPageTurns(reader);

    reader->close();
    QVERIFY(f.tts->isVisible());
    QCOMPARE(f.setting("SEWENZI"), QString::number(qint32(reader->TextColour())));
    QCOMPARE(f.setting("SEBEIJING"), QString::number(qint32(reader->BackgroundColour())));
}

TARROWIN_TEST_MAIN(TestReaderHostileSettings)
#include "tst_ReaderHostileSettings.moc"
