// The button's window-free rules: access keys, hover locks, font bits, key codes,
// option-group bookkeeping in container properties and the property bag.
#include "TestRegistry.h"
#include "kxButtonRules.h"
#include "kxInputCodes.h"
#include "kxOptionGroup.h"
#include "kxPropertyBag.h"
#include <QTest>

class tst_kxButtonLogic : public QObject
{
    Q_OBJECT
private slots:
    void accessKey_data();
    void accessKey();
    void plainCaption();
    void hoverLocks_data();
    void hoverLocks();
    void fontStyle_data();
    void fontStyle();
    void virtualKeys_data();
    void virtualKeys();
    void groupAddIsOrderedAndOnce();
    void groupRemoveRenumbers_data();
    void groupRemoveRenumbers();
    void groupRemoveOfNonMemberChangesNothing();
    void bagKeysIgnoreCase();
    void bagSkipsDefaults();
    void bagTypedReads_data();
    void bagTypedReads();
    void bagPictures();
};

void tst_kxButtonLogic::accessKey_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    QTest::newRow("none") << "Open" << "";
    QTest::newRow("first") << "&Open" << "O";
    QTest::newRow("last single wins") << "&Save &As" << "A";
    QTest::newRow("doubled is literal") << "Salt && &Pepper" << "P";
    QTest::newRow("only doubled") << "A && B" << "";
    QTest::newRow("trailing") << "Open&" << "";
    QTest::newRow("doubled then letter") << "&&x" << "";
    QTest::newRow("chinese") << "开始&K朗读" << "K";
}

void tst_kxButtonLogic::accessKey()
{
    QFETCH(QString, caption);
    QFETCH(QString, key);
    const QChar found = kxButtonRules::AccessKey(caption);
    QCOMPARE(found.isNull() ? QString() : QString(found), key);
}

void tst_kxButtonLogic::plainCaption()
{
    QCOMPARE(kxButtonRules::PlainCaption(QStringLiteral("&Save||All && more")), QStringLiteral("Save All & more"));
}

void tst_kxButtonLogic::hoverLocks_data()
{
    QTest::addColumn<int>("locks");
    QTest::addColumn<bool>("textFollows");
    QTest::addColumn<bool>("backFollows");
    QTest::addColumn<int>("textReleased");
    QTest::addColumn<int>("backReleased");
    QTest::newRow("0 both follow") << 0 << true << true << 2 << 1;
    QTest::newRow("1 text follows") << 1 << true << false << 3 << 1;
    QTest::newRow("2 back follows") << 2 << false << true << 2 << 3;
    QTest::newRow("3 neither") << 3 << false << false << 3 << 3;
}

void tst_kxButtonLogic::hoverLocks()
{
    QFETCH(int, locks);
    QFETCH(bool, textFollows);
    QFETCH(bool, backFollows);
    QFETCH(int, textReleased);
    QFETCH(int, backReleased);
    QCOMPARE(kxButtonRules::HoverTextFollows(locks), textFollows);
    QCOMPARE(kxButtonRules::HoverBackFollows(locks), backFollows);
    QCOMPARE(kxButtonRules::ReleaseTextLock(locks), textReleased);
    QCOMPARE(kxButtonRules::ReleaseBackLock(locks), backReleased);
}

void tst_kxButtonLogic::fontStyle_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::newRow("1 is nothing") << 1 << false << false << false;
    QTest::newRow("2 bold") << 2 << true << false << false;
    QTest::newRow("6 bold italic") << 6 << true << true << false;
    QTest::newRow("8 underline") << 8 << false << false << true;
    QTest::newRow("14 all") << 14 << true << true << true;
}

void tst_kxButtonLogic::fontStyle()
{
    QFETCH(int, style);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    const QFont font = kxButtonRules::WithFontStyle(QFont(), style);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
    QCOMPARE(font.underline(), underline);
    QCOMPARE(kxButtonRules::FontStyleOf(font), style & 14);
}

void tst_kxButtonLogic::virtualKeys_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("code");
    QTest::newRow("A") << int(Qt::Key_A) << 65;
    QTest::newRow("7") << int(Qt::Key_7) << 55;
    QTest::newRow("space") << int(Qt::Key_Space) << 32;
    QTest::newRow("left") << int(Qt::Key_Left) << 37;
    QTest::newRow("up") << int(Qt::Key_Up) << 38;
    QTest::newRow("right") << int(Qt::Key_Right) << 39;
    QTest::newRow("down") << int(Qt::Key_Down) << 40;
    QTest::newRow("shift") << int(Qt::Key_Shift) << 16;
    QTest::newRow("return") << int(Qt::Key_Return) << 13;
    QTest::newRow("F5") << int(Qt::Key_F5) << 116;
    QTest::newRow("unknown") << int(Qt::Key_Launch0) << 0;
}

void tst_kxButtonLogic::virtualKeys()
{
    QFETCH(int, qtKey);
    QFETCH(int, code);
    QCOMPARE(kxInputCodes::VirtualKey(qtKey), code);
    QCOMPARE(kxInputCodes::ShiftState(Qt::ShiftModifier | Qt::AltModifier), short(5));
    QCOMPARE(kxInputCodes::MouseButtons(Qt::LeftButton | Qt::MiddleButton), short(5));
}

void tst_kxButtonLogic::groupAddIsOrderedAndOnce()
{
    QObject container, a, b;
    kxOptionGroup::Add(&container, &a);
    kxOptionGroup::Add(&container, &b);
    kxOptionGroup::Add(&container, &a);
    QCOMPARE(container.property("kx_OptCount").toInt(), 2);
    QCOMPARE(container.property("kx_Obj1").value<QObject *>(), &a);
    QCOMPARE(container.property("kx_Obj2").value<QObject *>(), &b);
    QVERIFY(!container.property("kx_Obj3").isValid());
}

void tst_kxButtonLogic::groupRemoveRenumbers_data()
{
    QTest::addColumn<int>("removed");
    QTest::addColumn<QList<int>>("left");
    QTest::newRow("first") << 0 << QList<int>{1, 2};
    QTest::newRow("middle") << 1 << QList<int>{0, 2};
    QTest::newRow("last") << 2 << QList<int>{0, 1};
}

void tst_kxButtonLogic::groupRemoveRenumbers()
{
    QFETCH(int, removed);
    QFETCH(QList<int>, left);
    QObject container, members[3];
    for (QObject &member : members)
        kxOptionGroup::Add(&container, &member);
    kxOptionGroup::Remove(&container, &members[removed]);
    QCOMPARE(container.property("kx_OptCount").toInt(), 2);
    QCOMPARE(container.property("kx_Obj1").value<QObject *>(), &members[left[0]]);
    QCOMPARE(container.property("kx_Obj2").value<QObject *>(), &members[left[1]]);
    QVERIFY(!container.dynamicPropertyNames().contains("kx_Obj3"));
}

void tst_kxButtonLogic::groupRemoveOfNonMemberChangesNothing()
{
    QObject container, member, stranger;
    kxOptionGroup::Add(&container, &member);
    kxOptionGroup::Remove(&container, &stranger);
    QCOMPARE(kxOptionGroup::Members(&container), QList<QObject *>{&member});
    kxOptionGroup::Remove(&container, &member);
    QVERIFY(container.dynamicPropertyNames().isEmpty());
}

void tst_kxButtonLogic::bagKeysIgnoreCase()
{
    kxPropertyBag bag;
    bag.WriteProperty(QStringLiteral("cBhover"), 255);
    QCOMPARE(bag.ReadProperty(QStringLiteral("cBHover")).toInt(), 255);
    bag.WriteProperty(QStringLiteral("CBHOVER"), 7);
    QCOMPARE(bag.Entries().size(), 1);
    QCOMPARE(bag.Entries().first().first, QStringLiteral("cBhover"));
    QCOMPARE(bag.ReadProperty(QStringLiteral("cbhover")).toInt(), 7);
}

void tst_kxButtonLogic::bagSkipsDefaults()
{
    kxPropertyBag bag;
    bag.WriteProperty(QStringLiteral("CapAlign"), 2, 2);
    bag.WriteProperty(QStringLiteral("Caption"), QString(""), QString());
    bag.WriteProperty(QStringLiteral("Mode"), 0);
    QCOMPARE(bag.Entries().size(), 1);
    QVERIFY(bag.Contains(QStringLiteral("mode")));
    QCOMPARE(bag.ReadProperty(QStringLiteral("CapAlign"), 2).toInt(), 2);
    bag.WriteProperty(QStringLiteral("Mode"), 0, 0); // back to its default: the entry goes
    QVERIFY(!bag.Contains(QStringLiteral("Mode")));
}

void tst_kxButtonLogic::bagTypedReads_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("integerOk");
    QTest::addColumn<bool>("booleanOk");
    QTest::addColumn<bool>("booleanValue");
    QTest::newRow("int") << QVariant(3) << true << true << true;
    QTest::newRow("zero") << QVariant(0) << true << true << false;
    QTest::newRow("text number") << QVariant("-1") << true << true << true;
    QTest::newRow("text True") << QVariant("True") << false << true << true;
    QTest::newRow("bool false") << QVariant(false) << true << true << false;
    QTest::newRow("damaged") << QVariant("abc") << false << false << false;
    QTest::newRow("too large") << QVariant(qlonglong(1) << 40) << false << true << true;
}

void tst_kxButtonLogic::bagTypedReads()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, integerOk);
    QFETCH(bool, booleanOk);
    QFETCH(bool, booleanValue);
    kxPropertyBag bag({{QStringLiteral("K"), stored}});
    QCOMPARE(bag.ReadInteger(QStringLiteral("k"), 9).has_value(), integerOk);
    const std::optional<bool> boolean = bag.ReadBoolean(QStringLiteral("k"), false);
    QCOMPARE(boolean.has_value(), booleanOk);
    if (boolean)
        QCOMPARE(*boolean, booleanValue);
    QCOMPARE(*bag.ReadInteger(QStringLiteral("missing"), 9), 9);
}

void tst_kxButtonLogic::bagPictures()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    kxPropertyBag bag({{QStringLiteral("Image"), image},
                       {QStringLiteral("mIcon"), QVariant::fromValue(kxPicture{image, true})},
                       {QStringLiteral("Bad"), 5}});
    QVERIFY(!bag.ReadPicture(QStringLiteral("Image"))->isIcon);
    QCOMPARE(bag.ReadPicture(QStringLiteral("Image"))->image, image);
    QVERIFY(bag.ReadPicture(QStringLiteral("MICON"))->isIcon);
    QVERIFY(bag.ReadPicture(QStringLiteral("Missing"))->isNull());
    QVERIFY(!bag.ReadPicture(QStringLiteral("Bad")).has_value());
    QCOMPARE(*bag.ReadColour(QStringLiteral("none"), 0x8000000F), 0x8000000Fu);
    kxPropertyBag colours({{QStringLiteral("c"), qint32(0x80000012)}});
    QCOMPARE(*colours.ReadColour(QStringLiteral("c"), 0), 0x80000012u);
}

TARROWIN_GUILESS_TEST_MAIN(tst_kxButtonLogic)
#include "tst_kxButtonLogic.moc"
