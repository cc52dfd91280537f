// The reader's page as the window changes under X11: made smaller, larger or given another font,
// the page is cut again from its first character; the mouse wheel (buttons 4 and 5 through the X
// server's XTEST extension) turns a page a notch. Runs on the Xvfb display of the test services.
#include "TestRegistry.h"
#include "ReaderFixture.h"
#include "NumericText.h"
#include "XUser.h"
#include <QApplication>

// The test runs on the Xvfb display when the test services give one; otherwise it is skipped.
class TestReaderResizeWheel : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tarrowin_test::UseTestDisplay(); }
private slots:
    void initTestCase();
    void resizeAndFontCutThePageAgain();
    void wheelTurnsOnePageANotch();
};

namespace {
// The byte after the page shown.
qint64 PageEnd(frmRead *reader)
{
    return NumericValue(reader->txtWeiZhi->Text());
}
}

void TestReaderResizeWheel::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the Xvfb display of scripts/test-services.sh");
}

// Each change of the page box keeps the page's first character; the page never needs more lines
// than the box shows, and after a smaller box the next page goes on where it ended.
void TestReaderResizeWheel::resizeAndFontCutThePageAgain()
{
    ReaderFixture f;
    frmRead *reader = ShowReaderForInput(f, 600, QStringLiteral("这是第40句话"), QSize(900, 700));
    QVERIFY(reader);
    const BytePos start = reader->PageStart();
    const QString page = reader->txtTarrowin->Text();
    QVERIFY(!page.isEmpty());

    reader->resize(700, 450);
    QTRY_VERIFY(reader->txtTarrowin->Text().size() < page.size());
    QCOMPARE(reader->PageStart(), start);
    QVERIFY(page.startsWith(reader->txtTarrowin->Text()));
    QVERIFY(!reader->TextOverflows(reader->txtTarrowin));
    const qint64 end = PageEnd(reader);
    reader->cmdRead_Click(0);
    QCOMPARE(reader->PageStart().value(), end);

    // From the page that follows, a larger box.
    const BytePos next = reader->PageStart();
    reader->resize(1000, 750);
    QTRY_VERIFY(reader->txtTarrowin->Text().size() > page.size());
    QCOMPARE(reader->PageStart(), next);
    QVERIFY(!reader->TextOverflows(reader->txtTarrowin));

    // A smaller font fills the page box anew.
    const QString large = reader->txtTarrowin->Text();
    reader->setFontChooser([](QWidget *, const QFont &initial) {
        QFont font = initial;
        font.setPointSizeF(initial.pointSizeF() * 0.7);
        return std::optional<QFont>(font);
    });
    reader->mnuZiTiZiHao_Click();
    QVERIFY(reader->txtTarrowin->Text().size() > large.size());
    QCOMPARE(reader->PageStart(), next);
    QVERIFY(!reader->TextOverflows(reader->txtTarrowin));
}

// Button 5 (the wheel turned toward the user) turns forward one page, button 4 back one, whatever
// the count box says.
void TestReaderResizeWheel::wheelTurnsOnePageANotch()
{
    ReaderFixture f;
    frmRead *reader = ShowReaderForInput(f, 600, QStringLiteral("这是第40句话"), QSize(900, 700));
    QVERIFY(reader);
    reader->txtYeShu[0]->setText(QStringLiteral("5")); // the wheel turns one page, whatever the count
    const qint64 end = PageEnd(reader);
    XUser user(qEnvironmentVariable("DISPLAY"));
    QVERIFY(user.connected());
    reader->raise(); // above any other window on the display, where the clicks land
    const QPoint onPage = reader->txtTarrowin->viewport()->mapToGlobal(QPoint(80, 60));
    user.click(onPage, 5);
    QTRY_COMPARE(reader->PageStart().value(), end);
    const qint64 secondEnd = PageEnd(reader);
    user.click(onPage, 5);
    QTRY_COMPARE(reader->PageStart().value(), secondEnd);
    // A backward turn shows the page that ends where the one shown begins.
    user.click(onPage, 4);
    QTRY_COMPARE(PageEnd(reader), secondEnd);
    const BytePos before = reader->PageStart();
    user.click(onPage, 4);
    QTRY_COMPARE(PageEnd(reader), before.value());
    QVERIFY(reader->PageStart() < before);
    QCOMPARE(reader->txtYeShu[0]->Text(), QStringLiteral("5"));
}

TARROWIN_TEST_MAIN(TestReaderResizeWheel)

#include "tst_ReaderResizeWheel.moc"
