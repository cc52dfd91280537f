#include "TestRegistry.h"
#include "RenderHelpers.h"
#include "kxButtons_H.h"
#include <QTest>

using namespace renderHelpers;

namespace {
QImage blobOnWhite(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = size.height() / 4; y < size.height() * 3 / 4; ++y)
        for (int x = size.width() / 4; x < size.width() * 3 / 4; ++x)
            picture.setPixel(x, y, qRgb(200, 40, 40));
    return picture;
}
}

// The real widget draws through the drawing library and takes its shape as its mask.
class tst_kxButtonWidgetDrawing : public QObject
{
    Q_OBJECT
private slots:
    void widgetShowsTheRenderedFace();
    void systemFaceColourFollowsAPaletteChange();
    void paintWhileDelayedDrawsTheChanges();
    void roundButtonIsMasked();
    void narrowDiagonalButtonIsWidened();
    void pictureShapedButtonLeavesItsBackgroundOut();
};

void tst_kxButtonWidgetDrawing::widgetShowsTheRenderedFace()
{
    QWidget form;
    kxButtons_H button(&form);
    button.setPalette(fixedPalette());
    button.setGeometry(0, 0, 60, 24);
    button.setCaption(QString());
    const QImage shown = button.grab().toImage();
    QCOMPARE(at(shown, 30, 0), kxColour::White);
    QCOMPARE(at(shown, 59, 12), kxColour::Black);
    QCOMPARE(at(shown, 30, 1), Rgb(0xE9E9E9));
    QCOMPARE(at(shown, 30, 22), kxColour::Grey);
    QCOMPARE(at(shown, 30, 12), Rgb(0xF0F0F0));
}

void tst_kxButtonWidgetDrawing::systemFaceColourFollowsAPaletteChange()
{
    QWidget form;
    kxButtons_H button(&form);
    button.setPalette(fixedPalette());
    button.setGeometry(0, 0, 60, 24);
    QCOMPARE(at(button.grab().toImage(), 30, 12), Rgb(0xF0F0F0));
    QPalette changed = fixedPalette();
    changed.setColor(QPalette::Button, QColor(200, 220, 40));
    button.setPalette(changed);
    QCOMPARE(at(button.grab().toImage(), 30, 12), kxColour::rgb(200, 220, 40));
}

// Changes made under the delay flag are not drawn; a paint that comes meanwhile (the window
// uncovered, say) clears the flag and shows them all.
void tst_kxButtonWidgetDrawing::paintWhileDelayedDrawsTheChanges()
{
    QWidget form;
    form.resize(80, 40);
    kxButtons_H button(&form);
    button.setPalette(fixedPalette());
    button.setGeometry(0, 0, 60, 24);
    form.show();
    button.setMode(kxButton::ModeCheckBox);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(at(button.grab().toImage(), 30, 23), kxColour::Black);
    button.DelayDrawing(true);
    button.setValue(true);
    QVERIFY(button.Fields().m_DelayDrawing);
    QCOMPARE(at(button.grab().toImage(), 30, 23), kxColour::White); // the checked look: white bottom edge
    QVERIFY(!button.Fields().m_DelayDrawing);
}

void tst_kxButtonWidgetDrawing::roundButtonIsMasked()
{
    QWidget form;
    kxButtons_H button(&form);
    button.setGeometry(0, 0, 80, 40);
    QVERIFY(button.mask().isEmpty());
    button.setButtonShape(4);
    QVERIFY(!button.mask().contains(QPoint(0, 0)));
    QVERIFY(button.mask().contains(QPoint(40, 20)));
    button.setButtonShape(0);
    QVERIFY(button.mask().isEmpty());
}

void tst_kxButtonWidgetDrawing::narrowDiagonalButtonIsWidened()
{
    QWidget form;
    kxButtons_H button(&form);
    button.setGeometry(0, 0, 25, 23);
    button.setButtonShape(1);
    QCOMPARE(button.width(), 30);
    QVERIFY(!button.mask().contains(QPoint(0, 22)));
    QVERIFY(button.mask().contains(QPoint(22, 22)));
}

void tst_kxButtonWidgetDrawing::pictureShapedButtonLeavesItsBackgroundOut()
{
    QWidget form;
    kxButtons_H button(&form);
    button.setGeometry(0, 0, 80, 80);
    button.setPicture(kxPicture{blobOnWhite(QSize(40, 20)), false});
    button.setButtonShape(7);
    QCOMPARE(button.ButtonShape(), 7);
    QCOMPARE(button.size(), QSize(80, 40));
    QVERIFY(!button.mask().contains(QPoint(2, 2)));
    QVERIFY(!button.mask().contains(QPoint(78, 38)));
    QVERIFY(button.mask().contains(QPoint(40, 20)));
}

TARROWIN_TEST_MAIN(tst_kxButtonWidgetDrawing)
#include "tst_kxButtonWidgetDrawing.moc"
