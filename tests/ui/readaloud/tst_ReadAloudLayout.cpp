#include "TestRegistry.h"
#include "FormGeometry.h"
#include "HomePage.h"
#include "ReadAloudBarFlow.h"
#include "ReadAloudLayout.h"
#include <QTest>

// The read-aloud window's layout arithmetic and small rules, without a window.
class TestReadAloudLayout : public QObject
{
    Q_OBJECT
private slots:
    void textBoxesShareTheHeight();
    void buttonsAndFileList();
    void barRule_data();
    void barRule();
    void rowSharedAsCaptionsNeed_data();
    void rowSharedAsCaptionsNeed();
    void addedRowsFlowClearOfTheMovingButtons_data();
    void addedRowsFlowClearOfTheMovingButtons();
    void twipsPerPixel();
    void homePageAddress_data();
    void homePageAddress();
};

namespace {
ReadAloudLayoutInput Input(double width, double height)
{
    ReadAloudLayoutInput in;
    in.barLeft = width;
    in.barHeight = height;
    in.cmdChaZhao = {60, 2700, 1920, 450};
    in.cmdChongTou = {75, 3900, 1920, 450};
    in.cmdHomePage = {900, 3000, 1920, 360};
    in.picLangDuWenJian = {0, 0, 100, 1850};
    in.filLangDuWenJian = {0, 0, 100, 1800};
    return in;
}
}

void TestReadAloudLayout::textBoxesShareTheHeight()
{
    const ReadAloudLayout out = ArrangeReadAloud(Input(6000, 4000));
    const TwipsRect boxes[] = {out.txtLangDu, out.txtTTS, out.txtChaZhao, out.txtFilePathName};
    const double tops[] = {0, 1000, 2000, 3500};
    const double heights[] = {1000, 1000, 1500, 500};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(boxes[i].left, 0.0);
        QCOMPARE(boxes[i].top, tops[i]);
        QCOMPARE(boxes[i].height, heights[i]);
        QCOMPARE(boxes[i].width, 6000.0);
    }
}

void TestReadAloudLayout::buttonsAndFileList()
{
    const ReadAloudLayout out = ArrangeReadAloud(Input(6000, 4000));
    QCOMPARE(out.cmdChaZhao.left, 60.0);
    QCOMPARE(out.cmdChaZhao.top, 2000 + (1500 - 450) / 2.0);
    QCOMPARE(out.cmdChongTou.top, 3500 + (500 - 450) / 2.0);
    QCOMPARE(out.cmdHomePage.left, 75.0);
    QCOMPARE(out.cmdHomePage.top, 3500 + (500 - 360) / 2.0);
    // the list ends 50 twips above the file-name box, half as wide; its backdrop shows 50 twips
    // to its left and below
    QCOMPARE(out.filLangDuWenJian.bottom(), out.txtFilePathName.top - 50);
    QCOMPARE(out.filLangDuWenJian.width, 3000.0);
    QCOMPARE(out.filLangDuWenJian.height, 1800.0);
    QCOMPARE(out.filLangDuWenJian.left, 50.0);
    QCOMPARE(out.picLangDuWenJian.left, 0.0);
    QCOMPARE(out.picLangDuWenJian.top, out.txtFilePathName.top - 1800);
    QCOMPARE(out.picLangDuWenJian.height, 1850.0);
}

void TestReadAloudLayout::rowSharedAsCaptionsNeed_data()
{
    QTest::addColumn<QList<double>>("needed");
    QTest::addColumn<QList<double>>("widths");
    // A row 1920 wide from 60, buttons 60 apart.
    QTest::newRow("room to spare, shared equally") << QList<double>{1000, 500} << QList<double>{1180, 680};
    QTest::newRow("exactly the room") << QList<double>{1020, 840} << QList<double>{1020, 840};
    QTest::newRow("too narrow: in proportion") << QList<double>{2480, 1240} << QList<double>{1240, 620};
    QTest::newRow("too narrow, uneven") << QList<double>{2790, 930} << QList<double>{1395, 465};
    QTest::newRow("three") << QList<double>{600, 420, 600} << QList<double>{660, 480, 660};
    QTest::newRow("no caption") << QList<double>{0, 0} << QList<double>{930, 930};
}

void TestReadAloudLayout::rowSharedAsCaptionsNeed()
{
    QFETCH(QList<double>, needed);
    QFETCH(QList<double>, widths);
    const TwipsRect row{60, 2100, 1920, 450};
    const std::vector<TwipsRect> places = ShareRow(row, 60, std::vector<double>(needed.begin(), needed.end()));
    QCOMPARE(int(places.size()), int(widths.size()));
    double left = row.left;
    for (std::size_t i = 0; i < places.size(); ++i) {
        QCOMPARE(places[i].left, left);
        QCOMPARE(places[i].width, widths[int(i)]);
        QCOMPARE(places[i].top, row.top);
        QCOMPARE(places[i].height, row.height);
        left = places[i].right() + 60;
    }
    QCOMPARE(places.back().right(), row.right());
}

void TestReadAloudLayout::barRule_data()
{
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("shown");
    // the search button's top is 2525 at H = 4000
    QTest::newRow("well above") << 1590.0 << 360.0 << true;
    QTest::newRow("bottom at the button's top") << 2165.0 << 360.0 << true;
    QTest::newRow("bottom one twip lower") << 2166.0 << 360.0 << false;
    QTest::newRow("below") << 3000.0 << 300.0 << false;
}

void TestReadAloudLayout::barRule()
{
    QFETCH(double, top);
    QFETCH(double, height);
    QFETCH(bool, shown);
    const ReadAloudLayout out = ArrangeReadAloud(Input(6000, 4000));
    QCOMPARE(ShownBesideSearchButton({60, top, 930, height}, out.cmdChaZhao), shown);
}

namespace {
bool Overlap(const TwipsRect &a, const TwipsRect &b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}
}

void TestReadAloudLayout::addedRowsFlowClearOfTheMovingButtons_data()
{
    QTest::addColumn<double>("wider"); // the first row's first caption; the second needs 900
    QTest::addColumn<bool>("oneLine"); // the row stands on one line in a tall bar
    QTest::newRow("captions side by side") << 900.0 << true;
    QTest::newRow("one caption too wide: a line each") << 1100.0 << false;
}

// At every bar height the rows flowed overlap neither each other nor the moving buttons and stay
// in the bar; the rows hidden are the last ones; a tall bar holds all of them.
void TestReadAloudLayout::addedRowsFlowClearOfTheMovingButtons()
{
    QFETCH(double, wider);
    QFETCH(bool, oneLine);
    const TwipsRect row{60, 0, 1920, 450};
    for (double height = 3000; height <= 12000; height += 15) {
        const ReadAloudLayout layout = ArrangeReadAloud(Input(6000, height));
        BarFlowInput in{height, 2010, row, {layout.cmdChaZhao, layout.cmdHomePage}, {}};
        in.rows = {{{wider, 900}, 450, 60}, {{600, 400, 600}, 450, 30}, {{1920}, 360, 60}};
        const auto places = FlowBarRows(in);
        std::vector<TwipsRect> placed = in.busy;
        for (std::size_t i = 0; i < places.size(); ++i) {
            QVERIFY(i == 0 || !places[i].size() || places[i - 1].size()); // none shown after a hidden row
            for (const TwipsRect &r : places[i]) {
                QVERIFY(r.top >= in.firstTop && r.bottom() <= height && r.left >= row.left && r.right() <= row.right());
                for (const TwipsRect &other : placed)
                    QVERIFY2(!Overlap(r, other), qPrintable(QString::number(height)));
                placed.push_back(r);
            }
        }
    }
    const ReadAloudLayout tall = ArrangeReadAloud(Input(6000, 12000));
    const auto places = FlowBarRows({12000, 2010, row, {tall.cmdChaZhao, tall.cmdHomePage},
                                     {{{wider, 900}, 450, 60}, {{600, 400, 600}, 450, 30}}});
    QCOMPARE(places[0][0].top == places[0][1].top, oneLine);
    QCOMPARE(places[1][1].width, 400 + (1920 - 60 - 1600) / 3.0);
}

void TestReadAloudLayout::twipsPerPixel()
{
    QCOMPARE(TwipsPerPixel(96), 15.0);
    QCOMPARE(TwipsPerPixel(120), 12.0);
    QCOMPARE(TwipsPerPixel(144), 10.0);
}

void TestReadAloudLayout::homePageAddress_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("address");
    QTest::newRow("bare domain") << "tarrowin.org" << "http://tarrowin.org";
    QTest::newRow("after the first colon") << "主页:tarrowin.org" << "http://tarrowin.org";
    QTest::newRow("only the first colon counts") << "a:b.org:8080" << "http://b.org:8080";
}

void TestReadAloudLayout::homePageAddress()
{
    QFETCH(QString, caption);
    QFETCH(QString, address);
    QCOMPARE(HomePageAddress(caption), QUrl(address));
}

TARROWIN_APPLESS_TEST_MAIN(TestReadAloudLayout)
#include "tst_ReadAloudLayout.moc"
