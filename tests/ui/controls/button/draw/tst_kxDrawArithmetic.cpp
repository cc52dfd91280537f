#include "TestRegistry.h"
#include "kxColour.h"
#include "kxDerivedColours.h"
#include "kxGradient.h"
#include "kxPixels.h"
#include <QPalette>
#include <QTest>

using namespace kxColour;

class tst_kxDrawArithmetic : public QObject
{
    Q_OBJECT
private slots:
    void shiftColour_data();
    void shiftColour();
    void translateColour_data();
    void translateColour();
    void derivedColours_data();
    void derivedColours();
    void gradientBands_data();
    void gradientBands();
    void gradientTableRunsFromEndToEnd();
    void lineLeavesOutItsEndPoint_data();
    void lineLeavesOutItsEndPoint();
    void innerFrameIsTheRegionsBorder();
};

void tst_kxDrawArithmetic::shiftColour_data()
{
    QTest::addColumn<uint>("colour");
    QTest::addColumn<int>("delta");
    QTest::addColumn<bool>("scaleBlue");
    QTest::addColumn<bool>("avoidExtremes");
    QTest::addColumn<bool>("invert");
    QTest::addColumn<uint>("expected");
    QTest::newRow("grey up 12") << 0x808080u << 12 << false << false << false << 0x8C8C8Cu;
    QTest::newRow("8C up 31") << 0x8C8C8Cu << 31 << false << false << false << 0xABABABu;
    QTest::newRow("white down 32") << 0xFFFFFFu << -32 << false << false << false << 0xDFDFDFu;
    QTest::newRow("clamped at white") << 0xF0F0F0u << 48 << false << false << false << 0xFFFFFFu;
    QTest::newRow("clamped at black") << 0x101010u << -40 << false << false << false << 0x000000u;
    // blue moves by blue * delta / 192, truncated toward zero: 0x80 * -32 / 192 = -21.33 -> -21
    QTest::newRow("scaled blue down") << 0x808080u << -32 << true << false << false << 0x6B6060u;
    QTest::newRow("scaled blue up") << 0x605040u << 48 << true << false << false << 0x788070u;
    QTest::newRow("inverted") << 0x102030u << 0 << false << false << true << 0xEFDFCFu;
    QTest::newRow("extreme avoided") << 0xF0F0F0u << 48 << false << true << false << 0xC0C0C0u;
    QTest::newRow("zero delta avoided") << 0x000000u << 0 << false << true << false << 0x404040u;
    QTest::newRow("not extreme kept") << 0x808080u << 16 << false << true << false << 0x909090u;
}

void tst_kxDrawArithmetic::shiftColour()
{
    QFETCH(uint, colour);
    QFETCH(int, delta);
    QFETCH(bool, scaleBlue);
    QFETCH(bool, avoidExtremes);
    QFETCH(bool, invert);
    QFETCH(uint, expected);
    QCOMPARE(ShiftColour(colour, delta, scaleBlue, avoidExtremes, invert), Rgb(expected));
}

void tst_kxDrawArithmetic::translateColour_data()
{
    QTest::addColumn<uint>("colour");
    QTest::addColumn<uint>("expected");
    QTest::newRow("plain value kept") << 0x00123456u << 0x00123456u;
    QTest::newRow("button face") << 0x8000000Fu << 0x00302010u; // palette Button = rgb(16, 32, 48)
    QTest::newRow("button text") << 0x80000012u << 0x00C0B0A0u; // palette ButtonText = rgb(160, 176, 192)
    QTest::newRow("unknown index") << 0x800000FFu << 0u;
}

void tst_kxDrawArithmetic::translateColour()
{
    QFETCH(uint, colour);
    QFETCH(uint, expected);
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(16, 32, 48));
    palette.setColor(QPalette::ButtonText, QColor(160, 176, 192));
    QCOMPARE(TranslateColour(colour, palette), Rgb(expected));
}

void tst_kxDrawArithmetic::derivedColours_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<uint>("face");
    QTest::addColumn<uint>("shade");
    QTest::addColumn<uint>("hover");
    QTest::addColumn<uint>("light");
    // BackColor 0x404040, HoverBackColor 0x606060
    QTest::newRow("style 0") << 0 << 0x404040u << 0x404040u << 0x606060u << 0xDFDFDFu;
    QTest::newRow("style 2") << 2 << 0x507070u << 0x435050u << 0x789090u << 0xD5DFDFu;
    QTest::newRow("style 3") << 3 << 0x404040u << 0x8C8C8Cu << 0x606060u << 0xABABABu;
    QTest::newRow("style 7") << 7 << 0x5F5F5Fu << 0x707070u << 0x7F7F7Fu << 0x8A9090u;
}

void tst_kxDrawArithmetic::derivedColours()
{
    QFETCH(int, style);
    QFETCH(uint, face);
    QFETCH(uint, shade);
    QFETCH(uint, hover);
    QFETCH(uint, light);
    kxButtonFields f;
    f.m_ButtonStyle = style;
    f.m_BackColor = 0x404040;
    f.m_HoverBackColor = 0x606060;
    const kxDerivedColours c = RecomputeColours(f, QPalette());
    QCOMPARE(c.face, Rgb(face));
    QCOMPARE(c.shade, Rgb(shade));
    QCOMPARE(c.hover, Rgb(hover));
    QCOMPARE(c.light, Rgb(light));
}

void tst_kxDrawArithmetic::gradientBands_data()
{
    QTest::addColumn<int>("extent");
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<int>("count");
    QTest::newRow("300 on 1024: 150 two-pixel bands") << 300 << 1024 << 2 << 150;
    QTest::newRow("256 on 1024: one-pixel bands") << 256 << 1024 << 1 << 256;
    QTest::newRow("257 on 1024: two-pixel bands") << 257 << 1024 << 2 << 128;
    QTest::newRow("small button") << 60 << 1280 << 1 << 60;
}

void tst_kxDrawArithmetic::gradientBands()
{
    QFETCH(int, extent);
    QFETCH(int, screen);
    QFETCH(int, thickness);
    QFETCH(int, count);
    const kxGradient::Bands b = kxGradient::bandsFor(extent, screen);
    QCOMPARE(b.thickness, thickness);
    QCOMPARE(b.count, count);
}

void tst_kxDrawArithmetic::gradientTableRunsFromEndToEnd()
{
    const std::vector<Rgb> table = kxGradient::colourTable(0x0000FF, 0xFF0000, 150);
    QCOMPARE(int(table.size()), 150);
    QCOMPARE(table.front(), Rgb(0x0000FF));
    QCOMPARE(table.back(), Rgb(0xFF0000));
    for (size_t i = 1; i < table.size(); ++i) {
        QVERIFY(red(table[i]) <= red(table[i - 1]));
        QVERIFY(blue(table[i]) >= blue(table[i - 1]));
    }
    QCOMPARE(kxGradient::colourTable(0x123456, 0x654321, 1), std::vector<Rgb>{0x123456});
}

void tst_kxDrawArithmetic::lineLeavesOutItsEndPoint_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("count");
    QTest::addColumn<QPoint>("last");
    QTest::newRow("across") << QPoint(0, 0) << QPoint(5, 0) << 5 << QPoint(4, 0);
    QTest::newRow("up") << QPoint(3, 9) << QPoint(3, 2) << 7 << QPoint(3, 3);
    QTest::newRow("diagonal") << QPoint(10, 10) << QPoint(2, 2) << 8 << QPoint(3, 3);
    QTest::newRow("empty") << QPoint(1, 1) << QPoint(1, 1) << 0 << QPoint();
}

void tst_kxDrawArithmetic::lineLeavesOutItsEndPoint()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, count);
    QFETCH(QPoint, last);
    const std::vector<QPoint> points = kxPixels::linePoints(from, to);
    QCOMPARE(int(points.size()), count);
    if (count) {
        QCOMPARE(points.front(), from);
        QCOMPARE(points.back(), last);
    }
}

void tst_kxDrawArithmetic::innerFrameIsTheRegionsBorder()
{
    const QRegion frame = kxPixels::innerFrame(QRegion(0, 0, 5, 4));
    QVERIFY(frame.contains(QPoint(0, 0)));
    QVERIFY(frame.contains(QPoint(4, 3)));
    QVERIFY(frame.contains(QPoint(2, 3)));
    QVERIFY(!frame.contains(QPoint(2, 2)));
    QVERIFY(!frame.contains(QPoint(1, 1)));
}

TARROWIN_GUILESS_TEST_MAIN(tst_kxDrawArithmetic)
#include "tst_kxDrawArithmetic.moc"
