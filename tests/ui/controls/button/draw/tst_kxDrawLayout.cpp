#include "TestRegistry.h"
#include "kxButtonFields.h"
#include "kxCaptionLayout.h"
#include "kxPictureDraw.h"
#include "kxShape.h"
#include <QFont>
#include <QTest>

namespace {
// A measure with fixed metrics: 8 pixels a character, 14 a line, lines split at "\n".
QSize fixedMeasure(const QString &text, int)
{
    int widest = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        widest = std::max(widest, int(line.size()) * 8);
    return {widest, int(lines.size()) * 14};
}

int pixelsIn(const QRegion &region, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += region.contains(QPoint(x, y));
    return n;
}

QImage pictureOnWhite(QSize size, QRect drawing)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = drawing.top(); y <= drawing.bottom(); ++y)
        for (int x = drawing.left(); x <= drawing.right(); ++x)
            picture.setPixel(x, y, qRgb(20, 60, 200));
    return picture;
}
}

class tst_kxDrawLayout : public QObject
{
    Q_OBJECT
private slots:
    void diagonalButtonHasA45DegreeCut();
    void narrowDiagonalButtonIsWidened_data();
    void narrowDiagonalButtonIsWidened();
    void cornersByStyle_data();
    void cornersByStyle();
    void pictureShapeLeavesItsBackgroundOut();
    void picturePlacement_data();
    void picturePlacement();
    void fittedPictureIsCentred();
    void captionAlignment_data();
    void captionAlignment();
    void doubleBarBreaksTheLine();
    void captionKeepsOnlyWhatTheCodePageHolds();
    void preparedPictureSnapsNearKeyPixels();
    void disabledBlendKeepsWhiteAndGreysDark();
};

void tst_kxDrawLayout::diagonalButtonHasA45DegreeCut()
{
    kxButtonFields f;
    f.m_ButtonShape = 1;
    const kxShapeRegions r = kxShape::BuildRegion(f, QSize(40, 23), true, {});
    QCOMPARE(r.contentLeft, 24);
    QCOMPARE(r.contentRight, 40);
    for (int y = 0; y < 23; ++y) {
        QVERIFY2(r.window.contains(QPoint(y, y)), qPrintable(QString::number(y)));
        QVERIFY(y == 0 || !r.window.contains(QPoint(y - 1, y)));
        QVERIFY(r.window.contains(QPoint(39, y)));
    }
    f.m_ButtonShape = 2;
    const kxShapeRegions right = kxShape::BuildRegion(f, QSize(40, 23), true, {});
    QCOMPARE(right.contentRight, 40 - 24);
    QVERIFY(right.window.contains(QPoint(16, 0)));
    QVERIFY(!right.window.contains(QPoint(17, 0)));
    QVERIFY(right.window.contains(QPoint(38, 22)));
    QVERIFY(!right.window.contains(QPoint(39, 22)));
}

void tst_kxDrawLayout::narrowDiagonalButtonIsWidened_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("25 wide, shape 1") << 1 << QSize(25, 23) << QSize(30, 23);
    QTest::newRow("29 wide, shape 3") << 3 << QSize(29, 23) << QSize(29, 23);
    QTest::newRow("20 wide, shape 2") << 2 << QSize(20, 23) << QSize(30, 23);
    QTest::newRow("rectangle unchanged") << 0 << QSize(10, 23) << QSize(10, 23);
}

void tst_kxDrawLayout::narrowDiagonalButtonIsWidened()
{
    QFETCH(int, shape);
    QFETCH(QSize, size);
    QFETCH(QSize, expected);
    kxButtonFields f;
    f.m_ButtonShape = shape;
    QCOMPARE(kxShape::requiredSize(f, size), expected);
}

void tst_kxDrawLayout::cornersByStyle_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("removedTop");    // pixels cut at each top corner
    QTest::addColumn<int>("removedBottom"); // pixels cut at each bottom corner
    QTest::newRow("style 0 square") << 0 << true << 0 << 0;
    QTest::newRow("style 1 single pixels") << 1 << true << 1 << 1;
    QTest::newRow("style 3 enabled") << 3 << true << 1 << 1;
    QTest::newRow("style 3 disabled square") << 3 << false << 0 << 0;
    QTest::newRow("style 2 rounded") << 2 << true << 1 << 3;
    QTest::newRow("style 7 rounded") << 7 << true << 1 << 3;
}

void tst_kxDrawLayout::cornersByStyle()
{
    QFETCH(int, style);
    QFETCH(bool, enabled);
    QFETCH(int, removedTop);
    QFETCH(int, removedBottom);
    kxButtonFields f;
    f.m_ButtonStyle = style;
    const QSize size(30, 20);
    const QRegion window = kxShape::BuildRegion(f, size, enabled, {}).window;
    const QRegion removed = QRegion(0, 0, 30, 20) - window;
    QCOMPARE(pixelsIn(removed, QRect(0, 0, 5, 5)), removedTop);
    QCOMPARE(pixelsIn(removed, QRect(25, 0, 5, 5)), removedTop);
    QCOMPARE(pixelsIn(removed, QRect(0, 15, 5, 5)), removedBottom);
    QCOMPARE(pixelsIn(removed, QRect(25, 15, 5, 5)), removedBottom);
}

void tst_kxDrawLayout::pictureShapeLeavesItsBackgroundOut()
{
    QImage picture = pictureOnWhite(QSize(40, 30), QRect(10, 8, 20, 14));
    picture.setPixel(3, 25, qRgb(253, 254, 252)); // near white: background as well
    picture.setPixel(5, 25, qRgb(250, 255, 255)); // 5 away: part of the drawing
    kxButtonFields f;
    f.m_ButtonShape = 7;
    f.m_Picture = picture;
    QCOMPARE(kxShape::requiredSize(f, QSize(80, 80)), QSize(80, 60));
    const QImage scaled = kxShape::shapePicture(f, picture.size());
    const kxShapeRegions r = kxShape::BuildRegion(f, picture.size(), true, scaled);
    QVERIFY(!r.window.contains(QPoint(0, 0)));
    QVERIFY(!r.window.contains(QPoint(9, 15)));
    QVERIFY(!r.window.contains(QPoint(3, 25)));
    QVERIFY(r.window.contains(QPoint(5, 25)));
    QVERIFY(r.window.contains(QPoint(10, 8)));
    QVERIFY(r.window.contains(QPoint(20, 15)));
    QVERIFY(!r.inner1.contains(QPoint(10, 8)));
    QVERIFY(r.inner1.contains(QPoint(11, 9)));
    QVERIFY(!r.inner2.contains(QPoint(11, 9)));
    QVERIFY(r.inner2.contains(QPoint(12, 10)));
}

void tst_kxDrawLayout::picturePlacement_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<QRect>("picture");
    QTest::addColumn<QRect>("caption");
    // A 100 x 40 button, a 16-pixel picture, the caption "ABCD" (32 x 14).
    QTest::newRow("0 left edge") << 0 << QRect(4, 12, 16, 16) << QRect(42, 13, 32, 14);
    QTest::newRow("1 beside caption, left") << 1 << QRect(24, 12, 16, 16) << QRect(44, 13, 32, 14);
    QTest::newRow("2 right edge") << 2 << QRect(80, 12, 16, 16) << QRect(26, 13, 32, 14);
    QTest::newRow("3 beside caption, right") << 3 << QRect(60, 12, 16, 16) << QRect(24, 13, 32, 14);
    // above and below: the parts past the bottom margin (H - 5) are cut off
    QTest::newRow("4 above") << 4 << QRect(42, 5, 16, 16) << QRect(34, 23, 32, 12);
    QTest::newRow("5 below") << 5 << QRect(42, 23, 16, 12) << QRect(34, 7, 32, 14);
}

void tst_kxDrawLayout::picturePlacement()
{
    QFETCH(int, align);
    QFETCH(QRect, picture);
    QFETCH(QRect, caption);
    kxButtonFields f;
    f.m_Caption = QStringLiteral("ABCD");
    f.m_Picture = pictureOnWhite(QSize(16, 16), QRect(4, 4, 8, 8));
    f.m_PictureAlign = align;
    const kxCaptionLayout l = kxCaption::LayoutCaptionAndPicture(f, QSize(100, 40), 0, 100, fixedMeasure);
    QCOMPARE(l.picture, picture);
    QCOMPARE(l.caption, caption);
}

void tst_kxDrawLayout::fittedPictureIsCentred()
{
    kxButtonFields f;
    f.m_Picture = pictureOnWhite(QSize(100, 50), QRect(10, 10, 20, 20));
    f.m_ImageSize = 48;
    const kxCaptionLayout l = kxCaption::LayoutCaptionAndPicture(f, QSize(60, 40), 0, 60, fixedMeasure);
    QCOMPARE(l.picture, QRect(6, 8, 48, 24));
    f.m_ImageSize = 40;
    QCOMPARE(kxCaption::LayoutCaptionAndPicture(f, QSize(60, 40), 0, 60, fixedMeasure).picture, QRect(3, 3, 54, 34));
}

void tst_kxDrawLayout::captionAlignment_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("x");
    // "ABC" is 24 pixels wide on a 100 x 30 button.
    QTest::newRow("left") << 0 << 0 << 4;
    QTest::newRow("right") << 0 << 1 << 72;
    QTest::newRow("centre") << 0 << 2 << 38;
    // shape 1 on 100 x 30: d = 31, content left = 31 - 10 + 3 = 24
    QTest::newRow("left beside the cut") << 1 << 0 << 28;
    QTest::newRow("centred beside the cut") << 1 << 2 << 50;
}

void tst_kxDrawLayout::captionAlignment()
{
    QFETCH(int, shape);
    QFETCH(int, align);
    QFETCH(int, x);
    kxButtonFields f;
    f.m_Caption = QStringLiteral("ABC");
    f.m_CaptionAlign = align;
    f.m_ButtonShape = shape;
    const kxShapeRegions r = kxShape::BuildRegion(f, QSize(100, 30), true, {});
    const kxCaptionLayout l = kxCaption::LayoutCaptionAndPicture(f, QSize(100, 30), r.contentLeft, r.contentRight,
                                                                fixedMeasure);
    QCOMPARE(l.caption.left(), x);
    QCOMPARE(l.caption.top(), 8);
}

void tst_kxDrawLayout::doubleBarBreaksTheLine()
{
    QCOMPARE(kxCaption::drawText(QStringLiteral("开始||朗读")), QStringLiteral("开始\n朗读"));
    QCOMPARE(kxCaption::drawText(QStringLiteral("a|b")), QStringLiteral("a|b"));
    kxButtonFields f;
    f.m_Caption = QStringLiteral("Top||Bottom");
    QFont font;
    font.setPixelSize(12);
    const auto measure = kxCaption::fontMeasure(font, 2);
    const QSize one = measure(QStringLiteral("Top"), 200);
    const kxCaptionLayout l = kxCaption::LayoutCaptionAndPicture(f, QSize(200, 60), 0, 200, measure);
    QVERIFY2(l.caption.height() >= 2 * one.height() - 2, qPrintable(QString::number(l.caption.height())));
}

void tst_kxDrawLayout::captionKeepsOnlyWhatTheCodePageHolds()
{
    QCOMPARE(kxCaption::drawText(QStringLiteral("看原文 A&B")), QStringLiteral("看原文 A&B"));
    QCOMPARE(kxCaption::drawText(QString::fromUtf8("a\xF0\x9F\x98\x80")), QStringLiteral("a?"));
}

void tst_kxDrawLayout::preparedPictureSnapsNearKeyPixels()
{
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 255));
    picture.setPixel(1, 0, qRgb(252, 3, 253));
    picture.setPixel(2, 0, qRgb(251, 0, 255));
    picture.setPixel(3, 0, qRgb(0, 0, 0));
    const QImage prepared = kxPictureDraw::PreparePicture(picture, QSize(4, 1));
    QCOMPARE(prepared.pixel(1, 0), qRgb(255, 0, 255));
    QCOMPARE(prepared.pixel(2, 0), qRgb(251, 0, 255));
    const QImage transparent = kxPictureDraw::withKeyTransparent(prepared);
    QCOMPARE(qAlpha(transparent.pixel(1, 0)), 0);
    QCOMPARE(qAlpha(transparent.pixel(2, 0)), 255);
}

void tst_kxDrawLayout::disabledBlendKeepsWhiteAndGreysDark()
{
    QImage face(3, 1, QImage::Format_RGB32);
    face.fill(qRgb(0x40, 0xC0, 0x10));
    QImage picture(3, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 255, 255));
    picture.setPixel(1, 0, qRgb(0, 0, 0));
    picture.setPixel(2, 0, qRgb(0xF0, 0x0F, 0xFF));
    const QImage out = kxPictureDraw::blendDisabled(face, picture);
    QCOMPARE(out.pixel(0, 0), qRgb(0x40, 0xC0, 0x10));
    QCOMPARE(out.pixel(1, 0), qRgb(0x80, 0x80, 0x80));
    QCOMPARE(out.pixel(2, 0), qRgb(0x80, 0x80, 0x80));
}

TARROWIN_TEST_MAIN(tst_kxDrawLayout)
#include "tst_kxDrawLayout.moc"
