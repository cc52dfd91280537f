#include "TestRegistry.h"
#include "StatusLine.h"
#include <QAccessible>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QSignalSpy>
#include <QTest>

// The status line as a screen reader meets it: a status bar named "状态" whose value is the
// message, never taking the focus from where the user is.
class TestStatusLine : public QObject
{
    Q_OBJECT
private slots:
    void messageIsRead();
    void emptyMessageHidesAndFocusStays();
};

void TestStatusLine::messageIsRead()
{
    QWidget window;
    auto *line = new StatusLine(&window);
    window.show();
    QVERIFY(line->isHidden());
    const QString message = QStringLiteral("找不到文件 novel.txt");
    line->say(message);
    QVERIFY(line->isVisible());
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(line);
    QVERIFY(face);
    QCOMPARE(face->role(), QAccessible::StatusBar);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("状态"));
    QCOMPARE(face->text(QAccessible::Value), message);
    QCOMPARE(face->text(QAccessible::Description), message);
    QVERIFY(!face->state().invisible);
}

void TestStatusLine::emptyMessageHidesAndFocusStays()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new QLineEdit(&window);
    auto *line = new StatusLine(&window);
    layout->addWidget(edit);
    layout->addWidget(line);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QSignalSpy shown(line, &StatusLine::shownChanged);
    line->say(QStringLiteral("没有找到上次的位置，从头开始"));
    line->say(QStringLiteral("朗读长度应在 1 到 1048576 之间"));
    QCOMPARE(shown.count(), 1);
    QTRY_VERIFY(edit->hasFocus());
    QTest::mouseClick(line, Qt::LeftButton);
    QVERIFY(edit->hasFocus());
    line->say(QString());
    QVERIFY(line->isHidden());
    QCOMPARE(shown.count(), 2);
    QCOMPARE(shown.last().at(0).toBool(), false);
}

TARROWIN_TEST_MAIN(TestStatusLine)
#include "tst_StatusLine.moc"
