#include "TestRegistry.h"
#include "FormTimer.h"
#include "KaiFont.h"
#include "ReaderLayout.h"
#include "ScrollSpeed.h"
#include <QTest>

class TestReaderLogic : public QObject
{
    Q_OBJECT
private slots:
    void layoutAtDesignSize()
    {
        const ReaderLayout l = ArrangeReader(ReaderLayoutInput{});
        QCOMPARE(l.txtTarrowin.width, 4905.0);
        QCOMPARE(l.txtTarrowin.height, 4320.0);
        QCOMPARE(l.txtChaZhao.top, 4320.0);
        QCOMPARE(l.txtChaZhao.width, 4905.0);
        QCOMPARE(l.txtChaZhao.height, 2160.0);
        QCOMPARE(l.cmdFan[0].width, 2943.0);
        QCOMPARE(l.cmdFan[0].left, 981.0);
        QCOMPARE(l.cmdFan[1].width, 2943.0);
        QCOMPARE(l.cmdYouBianLan.width, 654.0);
        QCOMPARE(l.cmdYouBianLan.left, 3924.0);
        QCOMPARE(l.cmdReadTop, 6480.0 - 945 - 80);
        QCOMPARE(l.txtYeShuTop, 5455.0 - 315 - 10);
        QCOMPARE(l.cmdYeShuTop, l.txtYeShuTop);
        QVERIFY(l.findButtonsShown);
        QCOMPARE(l.picTextXianShi.left, 9.0);
        QCOMPARE(l.picTextXianShi.top, 9.0);
        QCOMPARE(l.picTextGunDong.height, 4320.0);
        QCOMPARE(l.txtGunDong.width, l.txtTarrowin.width);
        QCOMPARE(l.cmdlblGunDong.top, 50.0);
        QCOMPARE(l.cmdlblGunDong.left, l.cmdYouBianLan.left);
    }

    void layoutWithTheSideBarHidden()
    {
        ReaderLayoutInput in;
        in.sideBarShown = false;
        const ReaderLayout l = ArrangeReader(in);
        QCOMPARE(l.txtTarrowin.width, 6255.0);
        QCOMPARE(l.txtChaZhao.width, 6255.0);
        QCOMPARE(l.cmdFan[0].width, 6255.0 * 3 / 5);
        QCOMPARE(l.cmdFan[0].left, (6255.0 - 6255.0 * 3 / 5) / 2);
        QCOMPARE(l.picButton.left, 4905.0);
    }

    void layoutWithoutTheFindArea()
    {
        ReaderLayoutInput in;
        in.moreShown = false;
        const ReaderLayout l = ArrangeReader(in);
        QCOMPARE(l.txtTarrowin.height, 6480.0);
        QCOMPARE(l.picTextXianShi.height, 6480.0);
        QVERIFY(!l.findButtonsShown);
        QCOMPARE(l.cmdFan[0].top, 6480.0 - 600 - 50);
    }

    void aLowWindowLiftsTheFindButton_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("findTop");
        // Centred on the find box: 2000 + (1000 - 345) / 2 = 2327.5 reaches into the count box at 1650.
        QTest::newRow("low") << 3000.0 << 1650.0 - 345 - 20;
        // A tall window leaves the centred place alone: 8000 + (4000 - 345) / 2 = 9827.5 + 345 < 10650.
        QTest::newRow("tall") << 12000.0 << 9827.5;
    }
    void aLowWindowLiftsTheFindButton()
    {
        QFETCH(double, height);
        QFETCH(double, findTop);
        ReaderLayoutInput in;
        in.clientHeight = height;
        const ReaderLayout l = ArrangeReader(in);
        QCOMPARE(l.cmdChaZhaoTop, findTop);
        QCOMPARE(l.cmdKanDaoTop, findTop);
    }

    void speedChange_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("after");
        QTest::newRow("slower") << 100 << 0 << 2 << 102;
        QTest::newRow("faster") << 100 << 1 << 2 << 98;
        QTest::newRow("faster at 10 stays 10") << 10 << 1 << 2 << 10;
        QTest::newRow("slower at 500 stays 500") << 500 << 0 << 2 << 500;
        QTest::newRow("11 faster gives 9, raised to 10") << 11 << 1 << 2 << 10;
        QTest::newRow("step 0 leaves it") << 100 << 0 << 0 << 100;
        QTest::newRow("negative step reverses slower") << 100 << 0 << -2 << 98;
        QTest::newRow("negative step reverses faster") << 100 << 1 << -2 << 102;
        QTest::newRow("700 slower is limited") << 700 << 0 << 2 << 500;
        QTest::newRow("700 faster is limited") << 700 << 1 << 2 << 500;
        QTest::newRow("0 slower is raised to 10") << 0 << 0 << 2 << 10;
    }
    void speedChange()
    {
        QFETCH(int, interval);
        QFETCH(int, index);
        QFETCH(int, step);
        QFETCH(int, after);
        QCOMPARE(ScrollSpeed::Changed(interval, index, step), after);
    }

    void clickZones_data()
    {
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("zone");
        const int faster = int(ScrollSpeed::ClickZone::Faster);
        const int slower = int(ScrollSpeed::ClickZone::Slower);
        const int pause = int(ScrollSpeed::ClickZone::PauseOrResume);
        QTest::newRow("top") << 0.0 << faster;
        QTest::newRow("just above a third") << 1499.0 << faster;
        QTest::newRow("exactly a third") << 1500.0 << pause;
        QTest::newRow("middle") << 2250.0 << pause;
        QTest::newRow("exactly two thirds") << 3000.0 << pause;
        QTest::newRow("just below two thirds") << 3001.0 << slower;
    }
    void clickZones()
    {
        QFETCH(double, y);
        QFETCH(int, zone);
        QCOMPARE(int(ScrollSpeed::ZoneOf(y, 4500)), zone);
    }

    void timerNeverFiresAtZeroOrLess_data()
    {
        QTest::addColumn<int>("interval");
        QTest::newRow("0") << 0;
        QTest::newRow("negative") << -5;
    }
    void timerNeverFiresAtZeroOrLess()
    {
        QFETCH(int, interval);
        FormTimer timer(interval);
        int ticks = 0;
        connect(&timer, &FormTimer::Timer, this, [&] { ++ticks; });
        timer.setEnabled(true);
        QVERIFY(timer.Enabled());
        QVERIFY(!timer.Running());
        QTest::qWait(50);
        QCOMPARE(ticks, 0);
        timer.setInterval(5);
        QTRY_VERIFY(ticks > 0);
        timer.setEnabled(false);
        const int stopped = ticks;
        QTest::qWait(30);
        QCOMPARE(ticks, stopped);
    }

    void kaiStandIn()
    {
        QCOMPARE(KaiFont::StandIn({QStringLiteral("DejaVu Sans"), QStringLiteral("AR PL UKai TW"), QStringLiteral("AR PL UKai CN")}),
                 QStringLiteral("AR PL UKai CN"));
        QCOMPARE(KaiFont::StandIn({QStringLiteral("DejaVu Sans"), QStringLiteral("KaiTi")}), QStringLiteral("KaiTi"));
        QCOMPARE(KaiFont::StandIn({QStringLiteral("DejaVu Sans")}), QString());
    }
};

TARROWIN_GUILESS_TEST_MAIN(TestReaderLogic)
#include "tst_ReaderLogic.moc"
