// Where a window restored from the settings may stand, on monitor layouts made up in numbers.
#include "TestRegistry.h"
#include "ScreenPlacement.h"
#include <QTest>

class tst_ScreenPlacement : public QObject
{
    Q_OBJECT
private slots:
    void broughtOnto_data();
    void broughtOnto();
    void reachable_data();
    void reachable();
};

namespace {
const QRect kLaptop(0, 0, 1920, 1080);
const QRect kRightMonitor(1920, 0, 2560, 1440);
const QRect kLowerMonitor(0, 1080, 1280, 1024);
// 2^31 - 8 and -99999 twips at 15 twips a pixel, as a damaged settings file gives them.
constexpr int kFarPast = int((2147483648LL - 8) / 15);
constexpr int kFarBefore = -99999 / 15;
}

void tst_ScreenPlacement::broughtOnto_data()
{
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QRect>("placed");
    const QList<QRect> one{kLaptop};
    const QList<QRect> two{kLaptop, kRightMonitor};
    QTest::newRow("on the screen stays") << one << QRect(100, 80, 533, 331) << QRect(100, 80, 533, 331);
    QTest::newRow("half over the right edge stays")
        << one << QRect(1700, 80, 533, 331) << QRect(1700, 80, 533, 331);
    QTest::newRow("on the monitor unplugged: onto the right edge of the one left")
        << one << QRect(2600, 300, 533, 331) << QRect(1920 - 533, 300, 533, 331);
    QTest::newRow("on the second monitor still there stays")
        << two << QRect(2600, 300, 533, 331) << QRect(2600, 300, 533, 331);
    QTest::newRow("only 60 pixels left on the screen: moved in")
        << one << QRect(1860, 80, 533, 331) << QRect(1920 - 533, 80, 533, 331);
    QTest::newRow("far before the left and above the top")
        << one << QRect(kFarBefore, kFarBefore, 533, 331) << QRect(0, 0, 533, 331);
    QTest::newRow("far past the right and the bottom")
        << one << QRect(kFarPast, kFarPast, 533, 331) << QRect(1920 - 533, 1080 - 331, 533, 331);
    QTest::newRow("far past the bottom goes to the lower monitor")
        << QList<QRect>{kLaptop, kLowerMonitor} << QRect(200, kFarPast, 533, 331)
        << QRect(200, 1080 + 1024 - 331, 533, 331);
    QTest::newRow("far right of two: onto the nearer right monitor")
        << two << QRect(kFarPast, 500, 533, 331) << QRect(1920 + 2560 - 533, 500, 533, 331);
    QTest::newRow("larger than the nearest screen is cut to it")
        << one << QRect(-5000, 10, 2500, 2000) << QRect(0, 0, 1920, 1080);
    QTest::newRow("no screens: as it is") << QList<QRect>{} << QRect(-5000, 10, 300, 200) << QRect(-5000, 10, 300, 200);
}

void tst_ScreenPlacement::broughtOnto()
{
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, window);
    QFETCH(QRect, placed);
    const QRect result = ScreenPlacement::BroughtOnto(window, screens);
    QCOMPARE(result, placed);
    QVERIFY(screens.isEmpty() || ScreenPlacement::Reachable(result, screens));
}

void tst_ScreenPlacement::reachable_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("wholly on") << QRect(10, 10, 300, 200) << true;
    QTest::newRow("100 x 50 at the bottom right corner") << QRect(1820, 1030, 300, 200) << true;
    QTest::newRow("99 wide at the right edge") << QRect(1821, 10, 300, 200) << false;
    QTest::newRow("49 high at the bottom") << QRect(10, 1031, 300, 200) << false;
    QTest::newRow("a small window wholly on") << QRect(0, 0, 40, 20) << true;
    QTest::newRow("a small window half off") << QRect(-20, 0, 40, 20) << false;
    QTest::newRow("touching the left edge from outside") << QRect(-300, 10, 300, 200) << false;
}

void tst_ScreenPlacement::reachable()
{
    QFETCH(QRect, window);
    QFETCH(bool, reachable);
    QCOMPARE(ScreenPlacement::Reachable(window, {kLaptop}), reachable);
}

TARROWIN_GUILESS_TEST_MAIN(tst_ScreenPlacement)
#include "tst_ScreenPlacement.moc"
