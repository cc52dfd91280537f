// The button driven like a user drives it: mouse, keyboard, focus, option groups, hover tracking,
// the custom click move and what assistive tools see.
#include "TestRegistry.h"
#include "ButtonTestSupport.h"
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTimer>
#include <QTest>

class tst_kxButtonInteraction : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void clickInside();
    void pressMoveOutRelease();
    void otherButtonsNeverClick_data();
    void otherButtonsNeverClick();
    void doubleClickClicksOnce();
    void disabledButtonRaisesNothing();
    void checkBoxToggles();
    void selectedOptionClickRaisesNothing();
    void secondOfThreeOptionsSelected();
    void removingFirstOptionRenumbers();
    void destroyedOptionLeavesGroup();
    void movedOptionJoinsNewContainer();
    void focusSelectsFirstOptionOfEmptyGroup();
    void spaceOrder_data();
    void spaceOrder();
    void spaceHeldWhileFocusLeaves();
    void arrowsNeverRaiseKeyDown_data();
    void arrowsNeverRaiseKeyDown();
    void arrowsGoToContainer();
    void shiftReleaseSwallowed();
    void enterPressesCommandButton_data();
    void enterPressesCommandButton();
    void hoverEndsWhenPointerLeaves();
    void hoverEndsWhenWidgetSlidesOver();
    void customClickMovesWhilePressed();
    void accessibility_data();
    void accessibility();

private:
    kxButtons_H *AddButton(int x, int mode = kxButton::ModeCommand);
    void MoveOnto(kxButtons_H *button);
    void MovePointer(QWidget *widget, const QPoint &pos);
    void Click(kxButtons_H *button);

    QWidget *m_form = nullptr;
};

void tst_kxButtonInteraction::init()
{
    m_form = new QWidget;
    m_form->resize(400, 200);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    MovePointer(m_form, QPoint(390, 190));
}

void tst_kxButtonInteraction::cleanup()
{
    delete m_form;
}

kxButtons_H *tst_kxButtonInteraction::AddButton(int x, int mode)
{
    auto *button = new kxButtons_H(m_form);
    button->setGeometry(x, 20, 80, 30);
    button->setMode(mode);
    button->show();
    return button;
}

// The pointer itself moves too: QTest leaves it in place while a button is held.
void tst_kxButtonInteraction::MovePointer(QWidget *widget, const QPoint &pos)
{
    QCursor::setPos(widget->mapToGlobal(pos));
    QTest::mouseMove(widget, pos);
}

void tst_kxButtonInteraction::MoveOnto(kxButtons_H *button)
{
    MovePointer(button, QPoint(40, 15));
}

void tst_kxButtonInteraction::Click(kxButtons_H *button)
{
    MoveOnto(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 15));
}

void tst_kxButtonInteraction::clickInside()
{
    kxButtons_H *button = AddButton(10);
    EventLog log(*button);
    Click(button);
    QCOMPARE(log.events, (QStringList{"OnButton", "MouseDown1", "MouseUp1", "Click"}));
}

void tst_kxButtonInteraction::pressMoveOutRelease()
{
    kxButtons_H *button = AddButton(10);
    EventLog log(*button);
    MoveOnto(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 15));
    QVERIFY(button->IsPressed());
    const QPoint outside = button->mapFrom(m_form, QPoint(300, 150));
    MovePointer(button, outside); // the held button keeps receiving the moves
    QVERIFY(button->IsPressed()); // until the hover timer looks
    QTRY_VERIFY(!button->IsPressed());
    QCOMPARE(log.onButton, (QList<bool>{true, false}));
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
    QCOMPARE(log.count("MouseDown1"), 1);
    QCOMPARE(log.count("MouseUp1"), 1);
    QCOMPARE(log.count("Click"), 0);
    QVERIFY(!(button->Fields().m_State & kxButton::MouseDown));
}

void tst_kxButtonInteraction::otherButtonsNeverClick_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<int>("mode");
    QTest::newRow("right, command") << Qt::RightButton << int(kxButton::ModeCommand);
    QTest::newRow("right, check box") << Qt::RightButton << int(kxButton::ModeCheckBox);
    QTest::newRow("middle, check box") << Qt::MiddleButton << int(kxButton::ModeCheckBox);
}

void tst_kxButtonInteraction::otherButtonsNeverClick()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(int, mode);
    kxButtons_H *button = AddButton(10, mode);
    EventLog log(*button);
    MoveOnto(button);
    QTest::mouseClick(button, mouseButton, {}, QPoint(40, 15));
    const int code = mouseButton == Qt::RightButton ? 2 : 4;
    QCOMPARE(log.events, (QStringList{"OnButton", QString("MouseDown%1").arg(code), QString("MouseUp%1").arg(code)}));
    QVERIFY(!button->Value());
    QVERIFY(!button->IsPressed());
}

void tst_kxButtonInteraction::doubleClickClicksOnce()
{
    kxButtons_H *button = AddButton(10, kxButton::ModeCheckBox);
    EventLog log(*button);
    MoveOnto(button);
    // A real double click: press, release, then the second press comes as a double click.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 15));
    QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(40, 15));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 15));
    QCOMPARE(log.count("Click"), 1);
    QCOMPARE(log.count("DoubleClick1"), 1);
    QVERIFY(button->Value());
    QCOMPARE(log.count("MouseDown1"), log.count("MouseUp1"));
}

void tst_kxButtonInteraction::disabledButtonRaisesNothing()
{
    kxButtons_H *button = AddButton(10);
    button->setEnabled(false);
    EventLog log(*button);
    Click(button);
    QTest::keyClick(button, Qt::Key_Space);
    QVERIFY(log.events.isEmpty());
}

void tst_kxButtonInteraction::checkBoxToggles()
{
    kxButtons_H *button = AddButton(10, kxButton::ModeCheckBox);
    EventLog log(*button);
    Click(button);
    QVERIFY(button->Value());
    Click(button);
    QVERIFY(!button->Value());
    QCOMPARE(log.count("Click"), 2);
}

void tst_kxButtonInteraction::selectedOptionClickRaisesNothing()
{
    kxButtons_H *button = AddButton(10, kxButton::ModeOption);
    button->setValue(true);
    EventLog log(*button);
    Click(button);
    QCOMPARE(log.count("Click"), 0);
    QVERIFY(button->Value());
}

void tst_kxButtonInteraction::secondOfThreeOptionsSelected()
{
    QList<kxButtons_H *> options = {AddButton(10, 2), AddButton(100, 2), AddButton(190, 2)};
    options[0]->setValue(true);
    EventLog log(*options[1]);
    Click(options[1]);
    QCOMPARE(log.count("Click"), 1);
    QCOMPARE((QList<bool>{options[0]->Value(), options[1]->Value(), options[2]->Value()}),
             (QList<bool>{false, true, false}));
    Click(options[2]);
    QCOMPARE((QList<bool>{options[0]->Value(), options[1]->Value(), options[2]->Value()}),
             (QList<bool>{false, false, true}));
}

void tst_kxButtonInteraction::removingFirstOptionRenumbers()
{
    QList<kxButtons_H *> options = {AddButton(10, 2), AddButton(100, 2), AddButton(190, 2)};
    QCOMPARE(m_form->property("kx_OptCount").toInt(), 3);
    options[0]->setMode(kxButton::ModeCheckBox);
    QCOMPARE(m_form->property("kx_OptCount").toInt(), 2);
    QCOMPARE(m_form->property("kx_Obj1").value<QObject *>(), options[1]);
    QCOMPARE(m_form->property("kx_Obj2").value<QObject *>(), options[2]);
    QVERIFY(!m_form->dynamicPropertyNames().contains("kx_Obj3"));
    options[0]->setMode(kxButton::ModeOption);
    QCOMPARE(m_form->property("kx_Obj3").value<QObject *>(), options[0]);
}

void tst_kxButtonInteraction::destroyedOptionLeavesGroup()
{
    QList<kxButtons_H *> options = {AddButton(10, 2), AddButton(100, 2)};
    delete options[0];
    QCOMPARE(m_form->property("kx_OptCount").toInt(), 1);
    QCOMPARE(m_form->property("kx_Obj1").value<QObject *>(), options[1]);
    Click(options[1]); // walks the group: must not meet the destroyed button
    QVERIFY(options[1]->Value());
    options[1]->LoadDesign({{"Mode", 2}}); // loading again does not add it twice
    QCOMPARE(m_form->property("kx_OptCount").toInt(), 1);
    options[1]->LoadDesign({{"Mode", 1}});
    QVERIFY(!m_form->property("kx_OptCount").isValid());
}

void tst_kxButtonInteraction::movedOptionJoinsNewContainer()
{
    kxButtons_H *option = AddButton(10, 2);
    QWidget frame(m_form);
    option->setParent(&frame);
    QVERIFY(!m_form->property("kx_OptCount").isValid());
    QCOMPARE(frame.property("kx_Obj1").value<QObject *>(), option);
    option->setParent(m_form);
    QVERIFY(!frame.property("kx_OptCount").isValid());
}

void tst_kxButtonInteraction::focusSelectsFirstOptionOfEmptyGroup()
{
    QList<kxButtons_H *> options = {AddButton(10, 2), AddButton(100, 2)};
    EventLog log(*options[1]);
    options[1]->setFocus();
    QVERIFY(options[1]->Value());
    QCOMPARE(log.count("Click"), 1);
    options[0]->setFocus();
    QVERIFY(!options[0]->Value()); // the group has a selection already
    QVERIFY(options[1]->Value());
}

void tst_kxButtonInteraction::spaceOrder_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("value");
    QTest::newRow("command: Click before KeyUp") << 0 << QStringList{"KeyDown32", "KeyPress32", "Click", "KeyUp32"} << false;
    QTest::newRow("check box: KeyUp before Click") << 1 << QStringList{"KeyDown32", "KeyPress32", "KeyUp32", "Click"} << true;
    QTest::newRow("option: KeyUp before Click") << 2 << QStringList{"KeyDown32", "KeyPress32", "KeyUp32", "Click"} << true;
}

void tst_kxButtonInteraction::spaceOrder()
{
    QFETCH(int, mode);
    QFETCH(QStringList, events);
    QFETCH(bool, value);
    kxButtons_H *button = AddButton(10, mode);
    AddButton(100, mode)->setValue(mode == kxButton::ModeOption); // the group has a selection: focus selects nothing
    button->setFocus();
    QVERIFY(!button->Value());
    EventLog log(*button);
    QTest::keyPress(button, Qt::Key_Space);
    QVERIFY(button->Fields().m_State & kxButton::MouseDown);
    QVERIFY(!button->IsPressed()); // drawn pressed once, then it follows the pointer, which is elsewhere
    QTest::keyRelease(button, Qt::Key_Space);
    QCOMPARE(log.events, events);
    QCOMPARE(button->Value(), value);
}

void tst_kxButtonInteraction::spaceHeldWhileFocusLeaves()
{
    kxButtons_H *first = AddButton(10);
    kxButtons_H *second = AddButton(100);
    first->setFocus();
    EventLog log(*first);
    QTest::keyPress(first, Qt::Key_Space);
    second->setFocus();
    QVERIFY(!(first->Fields().m_State & kxButton::MouseDown));
    QTest::keyRelease(second, Qt::Key_Space);
    QCOMPARE(log.count("Click"), 0);
}

void tst_kxButtonInteraction::arrowsNeverRaiseKeyDown_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mode");
    for (int mode = 0; mode <= 2; ++mode) {
        QTest::addRow("left, mode %d", mode) << int(Qt::Key_Left) << mode;
        QTest::addRow("up, mode %d", mode) << int(Qt::Key_Up) << mode;
        QTest::addRow("right, mode %d", mode) << int(Qt::Key_Right) << mode;
        QTest::addRow("down, mode %d", mode) << int(Qt::Key_Down) << mode;
    }
}

void tst_kxButtonInteraction::arrowsNeverRaiseKeyDown()
{
    QFETCH(int, key);
    QFETCH(int, mode);
    kxButtons_H *button = AddButton(10, mode);
    EventLog log(*button);
    QTest::keyPress(button, Qt::Key(key));
    QTest::keyRelease(button, Qt::Key(key));
    QVERIFY2(!log.events.join(',').contains("Key"), qPrintable(log.events.join(',')));
    // Arrowing onto an option button selects it.
    QCOMPARE(button->Value(), mode == kxButton::ModeOption);
}

void tst_kxButtonInteraction::arrowsGoToContainer()
{
    kxButtons_H *first = AddButton(10);
    kxButtons_H *second = AddButton(100);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Right);
    QVERIFY(second->hasFocus()); // the container moves the focus on
    struct ArrowTaker : QObject
    {
        int arrows = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() != QEvent::KeyPress)
                return false;
            ++arrows;
            return true;
        }
    } taker;
    m_form->installEventFilter(&taker);
    QTest::keyClick(second, Qt::Key_Left);
    QCOMPARE(taker.arrows, 1);
    QVERIFY(second->hasFocus()); // the container used the arrow itself
}

void tst_kxButtonInteraction::shiftReleaseSwallowed()
{
    kxButtons_H *button = AddButton(10);
    EventLog log(*button);
    QTest::keyClick(button, Qt::Key_Shift);
    QTest::keyClick(button, Qt::Key_A);
    QCOMPARE(log.events, (QStringList{"KeyDown16", "KeyDown65", "KeyPress97", "KeyUp65"}));
}

void tst_kxButtonInteraction::enterPressesCommandButton_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("clicks");
    QTest::newRow("command, Return") << 0 << int(Qt::Key_Return) << int(Qt::NoModifier) << 1;
    QTest::newRow("command, keypad Enter") << 0 << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("command, Ctrl+Return") << 0 << int(Qt::Key_Return) << int(Qt::ControlModifier) << 0;
    QTest::newRow("check box, Return") << 1 << int(Qt::Key_Return) << int(Qt::NoModifier) << 0;
    QTest::newRow("option, Return") << 2 << int(Qt::Key_Return) << int(Qt::NoModifier) << 0;
}

// Enter on the focused command button clicks it once, as on a standard button; check boxes and
// option buttons keep Space for that, as the access-key rules ignore Enter on them.
void tst_kxButtonInteraction::enterPressesCommandButton()
{
    QFETCH(int, mode);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, clicks);
    kxButtons_H *button = AddButton(10, mode);
    AddButton(100, mode)->setValue(mode == kxButton::ModeOption);
    button->setFocus();
    EventLog log(*button);
    QTest::keyClick(button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(log.count("Click"), clicks);
    QVERIFY(!button->Value());
    QVERIFY(log.events.contains(QStringLiteral("KeyDown13")));
    if (clicks)
        QVERIFY(log.events.indexOf(QStringLiteral("Click")) > log.events.indexOf(QStringLiteral("KeyDown13")));
}

void tst_kxButtonInteraction::hoverEndsWhenPointerLeaves()
{
    kxButtons_H *button = AddButton(10);
    EventLog log(*button);
    MoveOnto(button);
    MovePointer(button, QPoint(50, 20)); // still on it: no second entry
    QVERIFY(button->Fields().m_Hovering);
    QCOMPARE(button->findChild<QTimer *>()->interval(), 50);
    QVERIFY(button->findChild<QTimer *>()->isActive());
    MovePointer(m_form, QPoint(300, 150));
    QTRY_COMPARE(log.onButton, (QList<bool>{true, false}));
    QVERIFY(!button->Fields().m_Hovering);
    QVERIFY(!(button->Fields().m_State & kxButton::MouseOver));
    QVERIFY(!button->findChild<QTimer *>()->isActive());
}

void tst_kxButtonInteraction::hoverEndsWhenWidgetSlidesOver()
{
    kxButtons_H *button = AddButton(10);
    EventLog log(*button);
    MoveOnto(button);
    QCOMPARE(log.onButton, QList<bool>{true});
    QWidget cover(m_form);
    cover.setGeometry(0, 0, 150, 100);
    cover.show();
    cover.raise();
    QTRY_COMPARE(log.onButton, (QList<bool>{true, false}));
    QVERIFY(!button->IsHot());
}

void tst_kxButtonInteraction::customClickMovesWhilePressed()
{
    kxButtons_H *button = AddButton(10);
    button->setCustomClick(4);
    const QPoint home = button->pos();
    MoveOnto(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 15));
    QCOMPARE(button->pos(), home + QPoint(1, 1));
    QVERIFY(button->Fields().m_State & kxButton::CustomMoved);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 15));
    QCOMPARE(button->pos(), home);
    QVERIFY(!(button->Fields().m_State & kxButton::CustomMoved));
}

void tst_kxButtonInteraction::accessibility_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("checkedAfterPress");
    QTest::newRow("command") << 0 << int(QAccessible::Button) << false;
    QTest::newRow("check box") << 1 << int(QAccessible::CheckBox) << true;
    QTest::newRow("option") << 2 << int(QAccessible::RadioButton) << true;
}

void tst_kxButtonInteraction::accessibility()
{
    QFETCH(int, mode);
    QFETCH(int, role);
    QFETCH(bool, checkedAfterPress);
    kxButtons_H *button = AddButton(10, mode);
    button->setCaption("开始&K||朗读");
    EventLog log(*button);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(button);
    QVERIFY(face);
    QCOMPARE(int(face->role()), role);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("开始K 朗读"));
    QCOMPARE(bool(face->state().checkable), mode != 0);
    QVERIFY(!face->state().checked);
    QAccessibleActionInterface *actions = face->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(log.count("Click"), 1);
    QCOMPARE(bool(face->state().checked), checkedAfterPress);
}

TARROWIN_TEST_MAIN(tst_kxButtonInteraction)
#include "tst_kxButtonInteraction.moc"
