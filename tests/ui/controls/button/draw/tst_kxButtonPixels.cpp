#include "TestRegistry.h"
#include "RenderHelpers.h"
#include "kxButtonFields.h"
#include <QTest>
#include <set>

using namespace renderHelpers;
using namespace kxColour;

namespace {
constexpr Rgb Face = 0xF0F0F0;
constexpr Rgb Light233 = 0xE9E9E9;

QImage pictureWithKey(QSize size, QRgb key, QRgb nearKey, QRect drawing)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(key);
    picture.setPixel(size.width() - 1, size.height() - 1, nearKey);
    for (int y = drawing.top(); y <= drawing.bottom(); ++y)
        for (int x = drawing.left(); x <= drawing.right(); ++x)
            picture.setPixel(x, y, qRgb(0, 0, 0));
    return picture;
}
}

class tst_kxButtonPixels : public QObject
{
    Q_OBJECT
private slots:
    void style0RectangleBevel();
    void style0DefaultHasBlackTopLeftAndInnerLine();
    void singleBevelStyles_data();
    void singleBevelStyles();
    void style5ShowsNoEdgeUntilHot();
    void style2RoundsItsCorners();
    void style7HeldUncheckedKeepsTheNormalFace_data();
    void style7HeldUncheckedKeepsTheNormalFace();
    void gradientMode2RunsFromGradientColourToBackColour();
    void wideGradientUsesTwoPixelBands();
    void systemBackColourFollowsThePalette();
    void keyColouredPictureShowsTheFace();
    void disabledCaption_data();
    void disabledCaption();
    void disabledPictureTurnsGrey();
    void pressedOffset_data();
    void pressedOffset();
    void shape5ShowsItsCaptionOnlyWhileChecked();
    void diagonalFocusOutlineIsClosed();
    void rightCutButtonHasItsWholeBottomEdge_data();
    void rightCutButtonHasItsWholeBottomEdge();
    void doubleBarDrawsTwoLines();
    void embossedAndEngravedCaptions_data();
    void embossedAndEngravedCaptions();
};

void tst_kxButtonPixels::style0RectangleBevel()
{
    const QImage img = kxFace::RenderButton(input(QSize(60, 24)));
    const int w = 60, h = 24;
    QCOMPARE(at(img, 0, 0), White);
    QCOMPARE(at(img, 30, 0), White);
    QCOMPARE(at(img, 0, 12), White);
    QCOMPARE(at(img, w - 1, 12), Black);
    QCOMPARE(at(img, 30, h - 1), Black);
    QCOMPARE(at(img, w - 1, 0), Black);
    QCOMPARE(at(img, 0, h - 1), Black);
    QCOMPARE(at(img, 30, 1), Light233);
    QCOMPARE(at(img, 1, 12), Light233);
    QCOMPARE(at(img, w - 2, 12), Grey);
    QCOMPARE(at(img, 30, h - 2), Grey);
    QCOMPARE(at(img, 2, 12), Face);
    QCOMPARE(at(img, 30, 2), Face);
}

void tst_kxButtonPixels::style0DefaultHasBlackTopLeftAndInnerLine()
{
    kxDrawInput in = input(QSize(60, 24));
    in.fields.m_State = kxButton::IsDefault;
    const QImage img = kxFace::RenderButton(in);
    QCOMPARE(at(img, 30, 0), Black);
    QCOMPARE(at(img, 0, 12), Black);
    QCOMPARE(at(img, 30, 1), White);
    QCOMPARE(at(img, 58, 12), Black);
    QCOMPARE(at(img, 30, 2), Light233);
    QCOMPARE(at(img, 57, 12), Grey);
    // the dotted focus rectangle 4 pixels inside: every other pixel inverted
    QCOMPARE(at(img, 4, 4), Rgb(0x0F0F0F));
    QCOMPARE(at(img, 5, 4), Face);
}

void tst_kxButtonPixels::singleBevelStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<uint>("topLeft");
    QTest::addColumn<uint>("bottomRight");
    QTest::addColumn<uint>("inside");
    QTest::newRow("style 4") << 4 << 0xFFFFFFu << 0x808080u << 0xF0F0F0u;
    QTest::newRow("style 1 outer black") << 1 << 0x000000u << 0x000000u << 0xFFFFFFu;
    QTest::newRow("style 3") << 3 << 0x666666u << 0xFFFFFFu << 0xFFFFFFu;
    QTest::newRow("style 6") << 6 << 0xE7E7E7u << 0x808080u << 0xE7E7E7u;
}

void tst_kxButtonPixels::singleBevelStyles()
{
    QFETCH(int, style);
    QFETCH(uint, topLeft);
    QFETCH(uint, bottomRight);
    QFETCH(uint, inside);
    const QImage img = kxFace::RenderButton(input(QSize(60, 24), style));
    QCOMPARE(at(img, 30, 0), Rgb(topLeft));
    QCOMPARE(at(img, 0, 12), Rgb(topLeft));
    QCOMPARE(at(img, 59, 12), Rgb(bottomRight));
    QCOMPARE(at(img, 30, 23), Rgb(bottomRight));
    QCOMPARE(at(img, 30, 1), Rgb(inside));
    QCOMPARE(at(img, 30, 3), Face);
}

void tst_kxButtonPixels::style5ShowsNoEdgeUntilHot()
{
    kxDrawInput in = input(QSize(60, 24), 5);
    const QImage cold = kxFace::RenderButton(in);
    QCOMPARE(countColour(cold, cold.rect(), Face), 60 * 24);
    in.fields.m_Hovering = true;
    in.fields.m_State = kxButton::MouseOver;
    const QImage hot = kxFace::RenderButton(in);
    QCOMPARE(at(hot, 30, 0), White);
    QCOMPARE(at(hot, 0, 12), White);
    QCOMPARE(at(hot, 59, 12), Grey);
    QCOMPARE(at(hot, 30, 23), Grey);
    in.designMode = true;
    in.fields.m_Hovering = false;
    in.fields.m_State = 0;
    const QImage design = kxFace::RenderButton(in);
    const Rgb dots = ShiftColour(Face, -64);
    QCOMPARE(at(design, 0, 0), dots);
    QCOMPARE(at(design, 1, 0), Face);
    QCOMPARE(at(design, 2, 0), dots);
}

void tst_kxButtonPixels::style2RoundsItsCorners()
{
    const QImage img = kxFace::RenderButton(input(QSize(60, 24), 2));
    const Rgb outer = 0x733C00;
    QCOMPARE(at(img, 1, 1), outer);
    QCOMPARE(at(img, 1, 22), outer);
    QCOMPARE(at(img, 58, 1), outer);
    QCOMPARE(at(img, 58, 22), outer);
    QCOMPARE(at(img, 30, 0), outer);
    const QRegion region = kxFace::ButtonRegion(input(QSize(60, 24), 2));
    QVERIFY(!region.contains(QPoint(0, 0)));
    QVERIFY(region.contains(QPoint(1, 0)));
    QVERIFY(!region.contains(QPoint(1, 23)));
    QVERIFY(!region.contains(QPoint(0, 22)));
    QVERIFY(region.contains(QPoint(2, 23)));
    QVERIFY(region.contains(QPoint(1, 22)));
}

void tst_kxButtonPixels::style7HeldUncheckedKeepsTheNormalFace_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("sunken");
    QTest::newRow("command button held") << int(kxButton::ModeCommand) << true;
    QTest::newRow("check box held") << int(kxButton::ModeCheckBox) << false;
    QTest::newRow("option button held") << int(kxButton::ModeOption) << false;
}

// Held down (left button or Space, pointer over it), only a command button draws sunken edges;
// a check box or option button keeps the normal edges until it is checked.
void tst_kxButtonPixels::style7HeldUncheckedKeepsTheNormalFace()
{
    QFETCH(int, mode);
    QFETCH(bool, sunken);
    kxDrawInput in = input(QSize(60, 24), 7);
    in.fields.m_Mode = mode;
    in.fields.m_Caption.clear();
    const QImage normal = kxFace::RenderButton(in);
    in.fields.m_State = kxButton::MouseDown | kxButton::MouseOver;
    in.fields.m_LeftHeld = true;
    const QImage held = kxFace::RenderButton(in);
    const QList<QPoint> edges{{2, 12}, {30, 2}, {57, 12}, {30, 21}, {1, 12}, {30, 1}, {58, 12}, {30, 22}};
    bool allAsNormal = true;
    for (const QPoint &p : edges)
        allAsNormal = allAsNormal && at(held, p.x(), p.y()) == at(normal, p.x(), p.y());
    QCOMPARE(!allAsNormal, sunken);
    QCOMPARE(at(held, 2, 12) == White, !sunken);
    in.fields.m_Value = mode != kxButton::ModeCommand;
    if (in.fields.m_Value) { // checked, it is sunken like a held command button
        const QImage checked = kxFace::RenderButton(in);
        QCOMPARE(at(checked, 2, 12), ShiftColour(Grey, -32));
    }
}

void tst_kxButtonPixels::gradientMode2RunsFromGradientColourToBackColour()
{
    kxDrawInput in = input(QSize(100, 30), 4);
    in.fields.m_BackColor = 0x0000FF;     // red
    in.fields.m_GradientColor = 0xFF0000; // blue
    in.fields.m_GradientMode = 2;
    const QImage img = kxFace::RenderButton(in);
    const Rgb left = at(img, 1, 15), right = at(img, 98, 15);
    QVERIFY2(blue(left) >= 245 && red(left) <= 10, qPrintable(QString::number(left, 16)));
    QVERIFY2(red(right) >= 245 && blue(right) <= 10, qPrintable(QString::number(right, 16)));
    in.fields.m_GradientMode = 1;
    const QImage forward = kxFace::RenderButton(in);
    QVERIFY(red(at(forward, 1, 15)) >= 245);
    QVERIFY(blue(at(forward, 98, 15)) >= 245);
}

void tst_kxButtonPixels::wideGradientUsesTwoPixelBands()
{
    kxDrawInput in = input(QSize(300, 30), 5); // style 5 at rest draws no edges over the bands
    in.fields.m_BackColor = 0x0000FF;
    in.fields.m_GradientColor = 0xFF0000;
    in.fields.m_GradientMode = 1;
    in.screen = QSize(1024, 768);
    const QImage img = kxFace::RenderButton(in);
    std::set<Rgb> colours;
    for (int x = 0; x < 300; ++x) {
        colours.insert(at(img, x, 15));
        if (x % 2 == 1)
            QCOMPARE(at(img, x, 15), at(img, x - 1, 15));
    }
    QCOMPARE(int(colours.size()), 150);
    in.screen = QSize(1280, 1024); // 1280 / 300 = 4: one-pixel bands
    const QImage fine = kxFace::RenderButton(in);
    QVERIFY(at(fine, 1, 15) != at(fine, 0, 15));
}

void tst_kxButtonPixels::systemBackColourFollowsThePalette()
{
    kxDrawInput in = input(QSize(60, 24));
    in.fields.m_BackColor = kxButton::SystemButtonFace;
    QCOMPARE(at(kxFace::RenderButton(in), 30, 12), Face);
    in.palette.setColor(QPalette::Button, QColor(10, 120, 200));
    QCOMPARE(at(kxFace::RenderButton(in), 30, 12), rgb(10, 120, 200));
}

void tst_kxButtonPixels::keyColouredPictureShowsTheFace()
{
    kxDrawInput in = input(QSize(60, 30));
    in.fields.m_BackColor = 0x30A030;
    in.fields.m_Picture = pictureWithKey(QSize(16, 16), qRgb(255, 0, 255), qRgb(253, 3, 252), QRect(5, 5, 6, 6));
    in.fields.m_PictureKind = kxButton::PictureBitmap;
    const QImage img = kxFace::RenderButton(in);
    // no caption: picture at (4, 7), 16 x 16
    QCOMPARE(at(img, 4 + 1, 7 + 1), Rgb(0x30A030));
    QCOMPARE(at(img, 4 + 15, 7 + 15), Rgb(0x30A030)); // the near-magenta pixel
    QCOMPARE(at(img, 4 + 8, 7 + 8), Black);
    QCOMPARE(countColour(img, img.rect(), rgb(255, 0, 255)), 0);
}

void tst_kxButtonPixels::disabledCaption_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("engraved");
    QTest::newRow("command: engraved") << int(kxButton::ModeCommand) << true;
    QTest::newRow("option: flat grey") << int(kxButton::ModeOption) << false;
    QTest::newRow("check box: flat grey") << int(kxButton::ModeCheckBox) << false;
}

void tst_kxButtonPixels::disabledCaption()
{
    QFETCH(int, mode);
    QFETCH(bool, engraved);
    kxDrawInput in = input(QSize(100, 30));
    in.fields.m_Caption = QStringLiteral("HHH");
    in.fields.m_Mode = mode;
    in.enabled = false;
    const QImage img = kxFace::RenderButton(in);
    const QRect inside(4, 4, 92, 22);
    const QRect grey = boxOf(img, inside, Grey);
    QVERIFY(grey.isValid());
    const QRect white = boxOf(img, inside, White);
    if (engraved) {
        QVERIFY(white.isValid());
        QCOMPARE(white.bottomRight(), grey.bottomRight() + QPoint(1, 1));
    } else {
        QVERIFY(!white.isValid());
    }
}

void tst_kxButtonPixels::disabledPictureTurnsGrey()
{
    kxDrawInput in = input(QSize(60, 30));
    in.fields.m_Picture = pictureWithKey(QSize(16, 16), qRgb(255, 0, 255), qRgb(255, 0, 255), QRect(5, 5, 6, 6));
    in.fields.m_PictureKind = kxButton::PictureBitmap;
    in.enabled = false;
    const QImage img = kxFace::RenderButton(in);
    QCOMPARE(at(img, 4 + 8, 7 + 8), Grey);
    QCOMPARE(at(img, 4 + 1, 7 + 1), Face);
}

void tst_kxButtonPixels::pressedOffset_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("rectangle") << 0 << QPoint(1, 1);
    QTest::newRow("diagonal") << 3 << QPoint(1, 1);
    QTest::newRow("round") << 4 << QPoint(0, 1);
}

void tst_kxButtonPixels::pressedOffset()
{
    QFETCH(int, shape);
    QFETCH(QPoint, offset);
    kxDrawInput in = input(QSize(120, 40), 4, shape);
    in.fields.m_Caption = QStringLiteral("HH");
    const QRect inside(20, 5, 80, 30);
    const QRect normal = boxOf(kxFace::RenderButton(in), inside, Black);
    in.fields.m_State = kxButton::MouseDown | kxButton::MouseOver;
    const QRect pressed = boxOf(kxFace::RenderButton(in), inside, Black);
    QVERIFY(normal.isValid());
    QCOMPARE(pressed.topLeft() - normal.topLeft(), offset);
    QCOMPARE(pressed.size(), normal.size());
}

void tst_kxButtonPixels::shape5ShowsItsCaptionOnlyWhileChecked()
{
    kxDrawInput in = input(QSize(100, 40), 0, 5);
    in.fields.m_Caption = QStringLiteral("HH");
    in.fields.m_Mode = kxButton::ModeCheckBox;
    const QRect inside(20, 8, 60, 24);
    QCOMPARE(countColour(kxFace::RenderButton(in), inside, Black), 0);
    in.fields.m_Value = true;
    QVERIFY(countColour(kxFace::RenderButton(in), inside, Black) > 0);
}

void tst_kxButtonPixels::diagonalFocusOutlineIsClosed()
{
    kxDrawInput in = input(QSize(60, 23), 4, 1);
    in.fields.m_State = kxButton::IsDefault;
    const QImage img = kxFace::RenderButton(in);
    const Rgb focus = ShiftColour(Face, -48);
    // the slanted side starts at (22, 18); the bottom side reaches it without a gap
    QCOMPARE(at(img, 22, 18), focus);
    QCOMPARE(at(img, 23, 18), focus);
    QCOMPARE(at(img, 8, 4), focus);
    QCOMPARE(at(img, 55, 10), focus);
}

void tst_kxButtonPixels::rightCutButtonHasItsWholeBottomEdge_data()
{
    QTest::addColumn<int>("shape");
    QTest::newRow("slanted right side") << 2;
    QTest::newRow("parallelogram") << 3;
}

void tst_kxButtonPixels::rightCutButtonHasItsWholeBottomEdge()
{
    QFETCH(int, shape);
    const QImage img = kxFace::RenderButton(input(QSize(100, 23), 4, shape));
    const int firstX = shape == 3 ? 24 : 0;
    for (int x = firstX; x <= 98; ++x)
        QVERIFY2(at(img, x, 22) == Grey, qPrintable(QString::number(x)));
    // the slanted right side runs down to the bottom-right corner
    QCOMPARE(at(img, 100 - 24 + 1, 1), Grey);
    QCOMPARE(at(img, 97, 21), Grey);
}

void tst_kxButtonPixels::doubleBarDrawsTwoLines()
{
    kxDrawInput in = input(QSize(120, 60), 4);
    in.fields.m_Caption = QStringLiteral("HH||HH");
    const QImage img = kxFace::RenderButton(in);
    int rowsWithText = 0, runs = 0;
    bool previous = false;
    for (int y = 3; y < 57; ++y) {
        const bool text = countColour(img, QRect(3, y, 114, 1), Black) > 0;
        rowsWithText += text;
        runs += text && !previous;
        previous = text;
    }
    QCOMPARE(runs, 2);
    in.fields.m_Caption = QStringLiteral("HH|HH");
    const QImage single = kxFace::RenderButton(in);
    QVERIFY(boxOf(single, QRect(3, 3, 114, 54), Black).height() < rowsWithText);
}

void tst_kxButtonPixels::embossedAndEngravedCaptions_data()
{
    QTest::addColumn<int>("captionStyle");
    QTest::addColumn<uint>("leftShade");  // drawn one pixel left of the caption
    QTest::addColumn<uint>("lowerShade"); // drawn one pixel right of and below the caption
    QTest::newRow("embossed") << int(kxButton::CaptionEmbossed) << 0x585858u << 0xA8A8A8u;
    QTest::newRow("engraved") << int(kxButton::CaptionEngraved) << 0xA8A8A8u << 0x585858u;
}

void tst_kxButtonPixels::embossedAndEngravedCaptions()
{
    QFETCH(int, captionStyle);
    QFETCH(uint, leftShade);
    QFETCH(uint, lowerShade);
    kxDrawInput in = input(QSize(120, 40), 4);
    in.fields.m_BackColor = 0x808080;
    in.fields.m_Caption = QStringLiteral("HH");
    in.fields.m_CaptionStyle = captionStyle;
    const QImage img = kxFace::RenderButton(in);
    const QRect inside(3, 3, 114, 34);
    const QRect text = boxOf(img, inside, Black);
    QVERIFY(text.isValid());
    QCOMPARE(boxOf(img, inside, Rgb(leftShade)).left(), text.left() - 1);
    QCOMPARE(boxOf(img, inside, Rgb(lowerShade)).bottom(), text.bottom() + 1);
    QCOMPARE(boxOf(img, inside, Rgb(lowerShade)).right(), text.right() + 1);
}

TARROWIN_TEST_MAIN(tst_kxButtonPixels)
#include "tst_kxButtonPixels.moc"
