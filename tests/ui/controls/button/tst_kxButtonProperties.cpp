// The button's properties: setter rules, refusals and their design-mode messages, the keys
// reported as changed, a new button, and saving to and loading from the property bag.
#include "TestRegistry.h"
#include "ButtonTestSupport.h"
#include "kxPropertyBag.h"
#include "kxWidgetHandle.h"
#include <QAccessible>
#include <QTest>
#include <functional>

using Setter = std::function<void(kxButtons_H &)>;
Q_DECLARE_METATYPE(Setter)

namespace {
kxPicture Bitmap()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    return {image, false};
}

kxPicture Icon()
{
    return {Bitmap().image, true};
}
}

class tst_kxButtonProperties : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newButtonDefaults();
    void newButtonCaptionIsItsName();
    void tagHoldsContainerHandle();
    void changedKeys_data();
    void changedKeys();
    void outOfRangeIgnored_data();
    void outOfRangeIgnored();
    void valueRefusedOnCommandButton_data();
    void valueRefusedOnCommandButton();
    void modeToCommandClearsValue();
    void pictureShapeNeedsBitmap_data();
    void pictureShapeNeedsBitmap();
    void iconTurnsPictureShapeRectangular();
    void pictureSizeReadsBack();
    void captionAlignStaysCentredWithPictureAboveOrBelow();
    void hoverTextLockReleased();
    void hoverBackFollowsGradient();
    void gradientColourWithoutGradientLeavesHoverBack();
    void hoverBackLockReleased();
    void resetDefaultColoursOnlyInDesignMode();
    void fontStyle();
    void focusRectOnDefaultButton();
    void accessKeyFromCaption();

    void saveSkipsDefaultsAndKeepsOrder();
    void roundTrip_data();
    void roundTrip();
    void captionAlignZeroLoadsAsZero();
    void enabledSavedIsTheButtonsOwn();
    void hoverBackSavedAsLowerCaseLoadsUnderUpperCase();
    void hoverBackDefaultsToLoadedBackColour();
    void missingBackColourIsTheContainers();
    void iconThenPointerZeroEndsWithPointerZero();
    void damagedEntryKeepsPreviousValue();
    void loadedOutOfRangeValueIgnored();
    void loadDesign();

private:
    QWidget *m_form = nullptr;
    kxButtons_H *m_button = nullptr;
    RecordingHost m_host;
};

void tst_kxButtonProperties::init()
{
    m_form = new QWidget;
    m_form->resize(200, 100);
    m_button = new kxButtons_H(m_form);
    m_button->setGeometry(10, 10, 80, 30);
    m_host = RecordingHost();
    m_button->setHost(&m_host);
}

void tst_kxButtonProperties::cleanup()
{
    delete m_form;
}

void tst_kxButtonProperties::newButtonDefaults()
{
    m_button->InitProperties(QStringLiteral("kxButtons_H1"));
    QCOMPARE(m_button->Caption(), QStringLiteral("kxButtons_H1"));
    QCOMPARE(m_button->CaptionAlign(), 2);
    QVERIFY(m_button->ShowFocusRect());
    QCOMPARE(m_button->BackColor(), 0x8000000Fu);
    QCOMPARE(m_button->ForeColor(), 0x80000012u);
    QCOMPARE(m_button->HoverBackColor(), 0x8000000Fu);
    QCOMPARE(m_button->HoverForeColor(), 0x80000012u);
    QCOMPARE(m_button->GradientColor(), 0u);
    QCOMPARE(m_button->Mode(), 0);
    QCOMPARE(m_button->ButtonStyle(), 0);
    QCOMPARE(m_button->PictureSize(), 0);
    QCOMPARE(m_button->Font(), m_form->font());
    QCOMPARE(m_host.changedKeys, (QStringList{"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"}));
}

// A button made and then named, as a window places its buttons, shows its name until it gets a
// caption or loads its properties; a later name change then leaves the caption alone.
void tst_kxButtonProperties::newButtonCaptionIsItsName()
{
    QWidget form;
    kxButtons_H button(&form);
    button.setObjectName(QStringLiteral("kxButtons_H2"));
    QCOMPARE(button.Caption(), QStringLiteral("kxButtons_H2"));
    QCOMPARE(button.CaptionAlign(), 2);
    QAccessibleInterface *shown = QAccessible::queryAccessibleInterface(&button);
    QVERIFY(shown);
    QCOMPARE(shown->text(QAccessible::Name), QStringLiteral("kxButtons_H2"));
    button.setCaption(QStringLiteral("Go"));
    button.setObjectName(QStringLiteral("cmdGo"));
    QCOMPARE(button.Caption(), QStringLiteral("Go"));

    kxButtons_H loaded(&form);
    loaded.LoadDesign({{"Caption", "Stored"}});
    loaded.setObjectName(QStringLiteral("cmdStored"));
    QCOMPARE(loaded.Caption(), QStringLiteral("Stored"));
}

void tst_kxButtonProperties::tagHoldsContainerHandle()
{
    QCOMPARE(kxWidgetHandle::Find(m_button->Tag().toUInt()), m_form);
    QWidget other;
    m_button->setParent(&other);
    QCOMPARE(kxWidgetHandle::Find(m_button->Tag().toUInt()), &other);
    m_button->setParent(m_form);
    QCOMPARE(m_button->Tag(), QString::number(kxWidgetHandle::Of(m_form)));
}

void tst_kxButtonProperties::changedKeys_data()
{
    QTest::addColumn<Setter>("set");
    QTest::addColumn<QString>("key");
    QTest::newRow("ButtonStyle") << Setter([](kxButtons_H &b) { b.setButtonStyle(3); }) << "BackStyle";
    QTest::newRow("Mode") << Setter([](kxButtons_H &b) { b.setMode(1); }) << "Mode";
    QTest::newRow("Caption") << Setter([](kxButtons_H &b) { b.setCaption("x"); }) << "Caption";
    QTest::newRow("CaptionAlign") << Setter([](kxButtons_H &b) { b.setCaptionAlign(0); }) << "CapAlign";
    QTest::newRow("CaptionStyle") << Setter([](kxButtons_H &b) { b.setCaptionStyle(1); }) << "CapStyle";
    QTest::newRow("CustomClick") << Setter([](kxButtons_H &b) { b.setCustomClick(4); }) << "CustomClick";
    QTest::newRow("ButtonShape") << Setter([](kxButtons_H &b) { b.setButtonShape(5); }) << "Shape";
    QTest::newRow("Picture") << Setter([](kxButtons_H &b) { b.setPicture(Bitmap()); }) << "Image";
    QTest::newRow("PictureAlign") << Setter([](kxButtons_H &b) { b.setPictureAlign(3); }) << "ImgAlign";
    QTest::newRow("Enabled") << Setter([](kxButtons_H &b) { b.setEnabled(false); }) << "Enabled";
    QTest::newRow("ShowFocusRect") << Setter([](kxButtons_H &b) { b.setShowFocusRect(false); }) << "Focus";
    QTest::newRow("PictureSize") << Setter([](kxButtons_H &b) { b.setPictureSize(2); }) << "ImgSize";
    QTest::newRow("MousePointer") << Setter([](kxButtons_H &b) { b.setMousePointer(2); }) << "mPointer";
    QTest::newRow("MouseIcon") << Setter([](kxButtons_H &b) { b.setMouseIcon(Icon()); }) << "mIcon";
    QTest::newRow("Font") << Setter([](kxButtons_H &b) { b.setFont(QFont("Serif", 31)); }) << "Font";
    QTest::newRow("FontStyle") << Setter([](kxButtons_H &b) { b.setFontStyle(8); }) << "Font";
    QTest::newRow("ForeColor") << Setter([](kxButtons_H &b) { b.setForeColor(0xFF); }) << "cFore";
    QTest::newRow("BackColor") << Setter([](kxButtons_H &b) { b.setBackColor(0xFF); }) << "cBack";
    QTest::newRow("GradientColor") << Setter([](kxButtons_H &b) { b.setGradientColor(0xFF); }) << "cGradient";
    QTest::newRow("GradientMode") << Setter([](kxButtons_H &b) { b.setGradientMode(1); }) << "Gradient";
    QTest::newRow("HoverColorLocks") << Setter([](kxButtons_H &b) { b.setHoverColorLocks(3); }) << "LockHover";
    QTest::newRow("HoverForeColor") << Setter([](kxButtons_H &b) { b.setHoverForeColor(0xFF); }) << "cFHover";
    QTest::newRow("HoverBackColor") << Setter([](kxButtons_H &b) { b.setHoverBackColor(0xFF); }) << "cBHover";
}

void tst_kxButtonProperties::changedKeys()
{
    QFETCH(Setter, set);
    QFETCH(QString, key);
    set(*m_button);
    QVERIFY2(m_host.changedKeys.contains(key), qPrintable(m_host.changedKeys.join(',')));
}

void tst_kxButtonProperties::outOfRangeIgnored_data()
{
    QTest::addColumn<Setter>("set");
    QTest::newRow("ButtonStyle 8") << Setter([](kxButtons_H &b) { b.setButtonStyle(8); });
    QTest::newRow("Mode 3") << Setter([](kxButtons_H &b) { b.setMode(3); });
    QTest::newRow("CaptionAlign -1") << Setter([](kxButtons_H &b) { b.setCaptionAlign(-1); });
    QTest::newRow("CaptionStyle 3") << Setter([](kxButtons_H &b) { b.setCaptionStyle(3); });
    QTest::newRow("CustomClick 9") << Setter([](kxButtons_H &b) { b.setCustomClick(9); });
    QTest::newRow("ButtonShape 9") << Setter([](kxButtons_H &b) { b.setButtonShape(9); });
    QTest::newRow("PictureAlign 6") << Setter([](kxButtons_H &b) { b.setPictureAlign(6); });
    QTest::newRow("PictureSize 5") << Setter([](kxButtons_H &b) { b.setPictureSize(5); });
    QTest::newRow("GradientMode 5") << Setter([](kxButtons_H &b) { b.setGradientMode(5); });
    QTest::newRow("MousePointer 50") << Setter([](kxButtons_H &b) { b.setMousePointer(50); });
}

void tst_kxButtonProperties::outOfRangeIgnored()
{
    QFETCH(Setter, set);
    m_host.designMode = true;
    kxPropertyBag before, after;
    m_button->WriteProperties(before);
    set(*m_button);
    m_button->WriteProperties(after);
    QCOMPARE(after.Entries(), before.Entries());
    QVERIFY(m_host.changedKeys.isEmpty());
    QVERIFY(m_host.messages.isEmpty());
}

void tst_kxButtonProperties::valueRefusedOnCommandButton_data()
{
    QTest::addColumn<bool>("design");
    QTest::newRow("run time: silent") << false;
    QTest::newRow("design time: message") << true;
}

void tst_kxButtonProperties::valueRefusedOnCommandButton()
{
    QFETCH(bool, design);
    m_host.designMode = design;
    m_button->setValue(true);
    QVERIFY(!m_button->Value());
    QVERIFY(!m_host.changedKeys.contains("Value"));
    const QStringList expected = {"This property is not applicable for command button modes."};
    QCOMPARE(m_host.messages, design ? expected : QStringList());
}

void tst_kxButtonProperties::modeToCommandClearsValue()
{
    m_button->setMode(1);
    m_button->setValue(true);
    m_button->setMode(0);
    QCOMPARE(m_button->Mode(), 0);
    QVERIFY(!m_button->Value());
}

void tst_kxButtonProperties::pictureShapeNeedsBitmap_data()
{
    QTest::addColumn<bool>("design");
    QTest::addColumn<int>("picture"); // 0 none, 1 icon
    QTest::newRow("no picture, run time") << false << 0;
    QTest::newRow("no picture, design time") << true << 0;
    QTest::newRow("icon, design time") << true << 1;
}

void tst_kxButtonProperties::pictureShapeNeedsBitmap()
{
    QFETCH(bool, design);
    QFETCH(int, picture);
    m_button->setButtonShape(4);
    if (picture == 1)
        m_button->setPicture(Icon());
    m_host = RecordingHost();
    m_host.designMode = design;
    for (int shape : {7, 8}) {
        m_button->setButtonShape(shape);
        QCOMPARE(m_button->ButtonShape(), 4);
    }
    const QString message = "The Picture Property must be assigned first and must be a bitmap or JPEG.";
    QCOMPARE(m_host.messages, design ? QStringList(2, message) : QStringList());
    QVERIFY(m_host.changedKeys.isEmpty());

    m_button->setPicture(Bitmap());
    m_button->setButtonShape(7);
    QCOMPARE(m_button->ButtonShape(), 7);
    QCOMPARE(m_button->PictureSize(), 4);
    m_host.messages.clear();
    m_button->setPictureSize(1);
    QCOMPARE(m_button->PictureSize(), 4);
    QCOMPARE(m_host.messages.size(), design ? 1 : 0);
}

void tst_kxButtonProperties::iconTurnsPictureShapeRectangular()
{
    m_host.designMode = true;
    m_button->setPicture(Bitmap());
    m_button->setButtonShape(8);
    m_button->setPicture(Icon());
    QCOMPARE(m_button->ButtonShape(), 0);
    const QString message = "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\n"
                            "Button was changed to Rectangular shaped.";
    QCOMPARE(m_host.messages, QStringList{message});
    m_button->setPicture(Bitmap());
    m_button->setButtonShape(7);
    m_button->setPicture(kxPicture());
    QCOMPARE(m_button->ButtonShape(), 0);
    QCOMPARE(m_host.messages.size(), 1); // removing the picture is silent
}

void tst_kxButtonProperties::pictureSizeReadsBack()
{
    m_button->setPictureSize(2);
    QCOMPARE(m_button->PictureSize(), 2);
    QCOMPARE(int(m_button->Fields().m_ImageSize), 32);
    m_button->LoadDesign({{"ImgSize", 0}});
    QCOMPARE(m_button->PictureSize(), 0);
}

void tst_kxButtonProperties::captionAlignStaysCentredWithPictureAboveOrBelow()
{
    m_button->setCaptionAlign(0);
    m_button->setPicture(Bitmap());
    m_button->setPictureAlign(4);
    QCOMPARE(m_button->CaptionAlign(), 2);
    m_button->setCaptionAlign(1);
    QCOMPARE(m_button->CaptionAlign(), 2);
    m_button->setPictureAlign(1);
    m_button->setCaptionAlign(1);
    QCOMPARE(m_button->CaptionAlign(), 1);
}

void tst_kxButtonProperties::hoverTextLockReleased()
{
    m_button->setForeColor(0x000000FF);
    QCOMPARE(m_button->HoverForeColor(), 0x000000FFu); // follows while unlocked
    m_button->setHoverForeColor(0x0000FF00);
    QCOMPARE(m_button->HoverColorLocks(), 2);
    m_button->setForeColor(0x00FF0000);
    QCOMPARE(m_button->HoverForeColor(), 0x0000FF00u);
    m_button->setHoverColorLocks(0);
    QCOMPARE(m_button->HoverForeColor(), 0x00FF0000u);
}

void tst_kxButtonProperties::hoverBackFollowsGradient()
{
    m_button->setGradientColor(0x00FF0000);
    m_button->setGradientMode(2);
    QCOMPARE(m_button->HoverBackColor(), 0x00FF0000u);
    m_button->setBackColor(0x000000FF);
    QCOMPARE(m_button->HoverBackColor(), 0x00FF0000u);
    QCOMPARE(m_button->HoverColorLocks(), 0);
    m_button->setGradientMode(0);
    QCOMPARE(m_button->HoverBackColor(), 0x000000FFu);
    m_button->setGradientColor(0x00123456); // no gradient drawn: the hover colour keeps the face
    QCOMPARE(m_button->HoverBackColor(), 0x000000FFu);
}

// A loaded hover back colour that differs from the face, with the lock still 0: a gradient colour
// that is not drawn (mode 0) does not overwrite it; once a gradient is set it does.
void tst_kxButtonProperties::gradientColourWithoutGradientLeavesHoverBack()
{
    m_button->LoadDesign({{"cBack", 255}, {"cBHover", 0xABCDEF}, {"LockHover", 0}});
    QCOMPARE(m_button->HoverBackColor(), 0x00ABCDEFu);
    m_button->setGradientColor(0x00123456);
    QCOMPARE(m_button->HoverBackColor(), 0x00ABCDEFu);
    m_button->setGradientMode(1);
    m_button->setGradientColor(0x00654321);
    QCOMPARE(m_button->HoverBackColor(), 0x00654321u);
}

void tst_kxButtonProperties::hoverBackLockReleased()
{
    m_button->setHoverBackColor(0x00ABCDEF);
    QCOMPARE(m_button->HoverColorLocks(), 1);
    m_button->setBackColor(0x000000FF);
    QCOMPARE(m_button->HoverBackColor(), 0x00ABCDEFu);
    m_button->setHoverForeColor(0x00000001);
    QCOMPARE(m_button->HoverColorLocks(), 3);
}

void tst_kxButtonProperties::resetDefaultColoursOnlyInDesignMode()
{
    m_button->setBackColor(0xFF);
    m_button->setGradientMode(1);
    m_button->setResetDefaultColors(true);
    QCOMPARE(m_button->BackColor(), 0xFFu);
    m_host.designMode = true;
    m_button->setHoverColorLocks(3);
    m_button->setResetDefaultColors(true);
    QCOMPARE(m_button->BackColor(), 0x8000000Fu);
    QCOMPARE(m_button->ForeColor(), 0x80000012u);
    QCOMPARE(m_button->GradientColor(), 0x8000000Fu);
    QCOMPARE(m_button->GradientMode(), 0);
    QCOMPARE(m_button->HoverColorLocks(), 0);
    QVERIFY(!m_button->ResetDefaultColors());
    QVERIFY(!m_button->Fields().m_DelayDrawing);
}

void tst_kxButtonProperties::fontStyle()
{
    QFont plain = m_button->font();
    plain.setBold(false);
    plain.setItalic(false);
    plain.setUnderline(false);
    m_button->setFont(plain);
    m_host.changedKeys.clear();
    m_button->setFontStyle(1);
    QCOMPARE(m_button->font(), plain);
    QVERIFY(m_host.changedKeys.isEmpty());
    m_button->setFontStyle(6);
    QVERIFY(m_button->font().bold());
    QVERIFY(m_button->font().italic());
    QVERIFY(!m_button->font().underline());
    QCOMPARE(m_button->FontStyle(), 6);
    QCOMPARE(m_host.changedKeys, QStringList{"Font"});
}

void tst_kxButtonProperties::focusRectOnDefaultButton()
{
    m_form->show();
    m_button->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QVERIFY(m_button->Fields().m_State & kxButton::IsDefault);
    m_host.designMode = true;
    m_button->setShowFocusRect(false);
    QCOMPARE(m_host.messages.size(), 1);
    QVERIFY(m_host.messages.first().endsWith("but will not appear when the form is running."));
    QVERIFY(m_button->Fields().m_State & kxButton::IsDefault);
    m_host.designMode = false;
    m_button->setShowFocusRect(false);
    QVERIFY(!(m_button->Fields().m_State & kxButton::IsDefault));
}

void tst_kxButtonProperties::accessKeyFromCaption()
{
    int clicks = 0;
    connect(m_button, &kxButtons_H::Click, this, [&clicks] { ++clicks; });
    m_button->setCaption("&Go");
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QTest::keyClick(m_form, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(clicks, 1);
    m_button->setCaption("Stop");
    QTest::keyClick(m_form, Qt::Key_G, Qt::AltModifier);
    QCOMPARE(clicks, 1);
    m_button->setMode(1);
    m_button->AccessKeyPress(13); // Enter on a check box is ignored
    QCOMPARE(clicks, 1);
    QVERIFY(!m_button->Value());
}

void tst_kxButtonProperties::saveSkipsDefaultsAndKeepsOrder()
{
    m_button->setCaption(QString());
    kxPropertyBag bag;
    m_button->WriteProperties(bag);
    QStringList keys;
    for (const auto &entry : bag.Entries())
        keys << entry.first;
    // A new button's gradient colour 0 differs from the saved default, the face colour.
    QCOMPARE(keys, (QStringList{"Font", "cGradient", "Mode", "Value", "cBack"}));

    m_button->setCaption("Go");
    m_button->setButtonStyle(2);
    m_button->setHoverBackColor(0x00FF00);
    m_button->setMousePointer(3);
    kxPropertyBag full;
    m_button->WriteProperties(full);
    keys.clear();
    for (const auto &entry : full.Entries())
        keys << entry.first;
    QCOMPARE(keys, (QStringList{"Caption", "BackStyle", "Font", "cBhover", "LockHover", "cGradient", "Mode", "Value", "cBack", "mPointer"}));
}

void tst_kxButtonProperties::roundTrip_data()
{
    QTest::addColumn<Setter>("set");
    QTest::newRow("caption") << Setter([](kxButtons_H &b) { b.setCaption("开始||朗读"); });
    QTest::newRow("style and shape") << Setter([](kxButtons_H &b) { b.setButtonStyle(7); b.setButtonShape(3); });
    QTest::newRow("colours") << Setter([](kxButtons_H &b) {
        b.setForeColor(0x123456);
        b.setBackColor(0x80000005);
        b.setGradientColor(0xFEDCBA);
        b.setGradientMode(3);
        b.setHoverForeColor(0x111111);
    });
    QTest::newRow("check box checked") << Setter([](kxButtons_H &b) { b.setMode(1); b.setValue(true); });
    QTest::newRow("picture") << Setter([](kxButtons_H &b) { b.setPicture(Bitmap()); b.setPictureAlign(5); b.setPictureSize(3); });
    QTest::newRow("disabled, custom click, caption style") << Setter([](kxButtons_H &b) {
        b.setEnabled(false);
        b.setCustomClick(6);
        b.setCaptionStyle(2);
        b.setShowFocusRect(false);
    });
    QTest::newRow("font") << Setter([](kxButtons_H &b) { b.setFont(QFont("Serif", 17)); b.setFontStyle(12); });
}

void tst_kxButtonProperties::roundTrip()
{
    QFETCH(Setter, set);
    set(*m_button);
    kxPropertyBag saved;
    m_button->WriteProperties(saved);
    kxButtons_H loaded(m_form);
    loaded.ReadProperties(saved);
    kxPropertyBag again;
    loaded.WriteProperties(again);
    QCOMPARE(again.Entries(), saved.Entries());
    QCOMPARE(loaded.isEnabled(), m_button->isEnabled());
    QCOMPARE(loaded.font(), m_button->font());
    QCOMPARE(loaded.Picture(), m_button->Picture());
    QVERIFY(!loaded.Fields().m_DelayDrawing);
}

void tst_kxButtonProperties::captionAlignZeroLoadsAsZero()
{
    m_button->setCaptionAlign(0);
    kxPropertyBag saved;
    m_button->WriteProperties(saved);
    kxButtons_H loaded(m_form);
    loaded.ReadProperties(saved);
    QCOMPARE(loaded.CaptionAlign(), 0);
}

void tst_kxButtonProperties::enabledSavedIsTheButtonsOwn()
{
    m_form->setEnabled(false);
    QVERIFY(!m_button->isEnabled());
    QVERIFY(m_button->Enabled());
    kxPropertyBag saved;
    m_button->WriteProperties(saved);
    QVERIFY(!saved.Contains("Enabled"));
}

void tst_kxButtonProperties::hoverBackSavedAsLowerCaseLoadsUnderUpperCase()
{
    m_button->setHoverBackColor(0x00ABCDEF);
    kxPropertyBag saved;
    m_button->WriteProperties(saved);
    QVERIFY(saved.Entries().contains(kxPropertyBag::Entry("cBhover", qint32(0x00ABCDEF))));
    kxButtons_H loaded(m_form);
    loaded.ReadProperties(saved);
    QCOMPARE(loaded.HoverBackColor(), 0x00ABCDEFu);
}

void tst_kxButtonProperties::hoverBackDefaultsToLoadedBackColour()
{
    m_button->LoadDesign({{"cBack", 255}});
    QCOMPARE(m_button->BackColor(), 255u);
    QCOMPARE(m_button->HoverBackColor(), 255u);
    struct FormColour : RecordingHost
    {
        OleColor AmbientBackColor(const kxButtons_H &) const override { return 0x00C0FFEE; }
    } host;
    m_button->setHost(&host);
    m_button->LoadDesign({});
    QCOMPARE(m_button->BackColor(), 0x00C0FFEEu);
    QCOMPARE(m_button->HoverBackColor(), 0x00C0FFEEu);
}

// With the standard host, a design without "cBack" takes the back colour of the container the
// button sits on: the system face while it keeps the system's colours, else its own colour.
void tst_kxButtonProperties::missingBackColourIsTheContainers()
{
    QWidget plain;
    kxButtons_H onPlain(&plain);
    onPlain.LoadDesign({});
    QCOMPARE(onPlain.BackColor(), 0x8000000Fu);
    QWidget coloured;
    QPalette palette = coloured.palette();
    palette.setColor(coloured.backgroundRole(), QColor(0x11, 0x22, 0x33));
    coloured.setPalette(palette);
    kxButtons_H onColoured(&coloured);
    onColoured.LoadDesign({});
    QCOMPARE(onColoured.BackColor(), 0x00332211u);
    QCOMPARE(onColoured.HoverBackColor(), 0x00332211u);
    onColoured.LoadDesign({{"cBack", 255}});
    QCOMPARE(onColoured.BackColor(), 255u);
}

void tst_kxButtonProperties::iconThenPointerZeroEndsWithPointerZero()
{
    m_button->LoadDesign({{"mIcon", QVariant::fromValue(Icon())}, {"mPointer", 0}});
    QCOMPARE(m_button->MousePointer(), 0);
    QVERIFY(!m_button->MouseIcon().isNull());
    QVERIFY(!m_button->testAttribute(Qt::WA_SetCursor));
    m_button->LoadDesign({{"mIcon", QVariant::fromValue(Icon())}});
    QCOMPARE(m_button->MousePointer(), 0); // the missing pointer key reads as 0 as well
    m_button->LoadDesign({{"mIcon", QVariant::fromValue(Icon())}, {"mPointer", 99}});
    QCOMPARE(m_button->MousePointer(), 99);
    QVERIFY(m_button->testAttribute(Qt::WA_SetCursor));
}

void tst_kxButtonProperties::damagedEntryKeepsPreviousValue()
{
    m_button->LoadDesign({{"Caption", "Go"}, {"BackStyle", 3}, {"cBack", 255}});
    m_button->LoadDesign({{"Caption", "Go"}, {"BackStyle", "three"}, {"cBack", "red"}, {"Focus", "maybe"}});
    QCOMPARE(m_button->ButtonStyle(), 3);
    QCOMPARE(m_button->BackColor(), 255u);
    QVERIFY(m_button->ShowFocusRect());
}

void tst_kxButtonProperties::loadedOutOfRangeValueIgnored()
{
    m_button->LoadDesign({{"BackStyle", 12}, {"Shape", -1}, {"ImgSize", 20}, {"Mode", 0}, {"Value", true}});
    QCOMPARE(m_button->ButtonStyle(), 0);
    QCOMPARE(m_button->ButtonShape(), 0);
    QCOMPARE(int(m_button->Fields().m_ImageSize), 16);
    QVERIFY(!m_button->Value()); // a command button is never checked
}

void tst_kxButtonProperties::loadDesign()
{
    m_button->LoadDesign({{"caption", "&Find"}, {"BACKSTYLE", 2}, {"Mode", 1}, {"Value", true}, {"cFore", 0xFF}});
    QCOMPARE(m_button->Caption(), QStringLiteral("&Find"));
    QCOMPARE(m_button->ButtonStyle(), 2);
    QCOMPARE(m_button->Mode(), 1);
    QVERIFY(m_button->Value());
    QCOMPARE(m_button->ForeColor(), 0xFFu);
    QCOMPARE(m_button->CaptionAlign(), 2);
    QCOMPARE(kxWidgetHandle::Find(m_button->Tag().toUInt()), m_form);
}

TARROWIN_TEST_MAIN(tst_kxButtonProperties)
#include "tst_kxButtonProperties.moc"
