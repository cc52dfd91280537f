#include "TestRegistry.h"
#include "TextBox.h"
#include <QSignalSpy>
#include <QTest>

class TestTextBox : public QObject
{
    Q_OBJECT
private slots:
    void keepsExactTextAndCutsAtNul();
    void changeFiresOnProgramAndUserChanges();
    void enterInsertsCrLfOnlyWhenMultiLine();
    void selectionMapsOntoShownCharacters_data();
    void selectionMapsOntoShownCharacters();
    void userSelectionReadsAsTextPositions();
    void wrappedLinesCoverTheText();
    void partlyVisibleLineCountsAsNotShown();
    void hiddenBoxWrapsLikeAShownOne();
    void doubleClickSignals();
};

namespace {
QString tenLines()
{
    QStringList lines;
    for (int i = 0; i < 10; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}
}

void TestTextBox::keepsExactTextAndCutsAtNul()
{
    TextBox box;
    box.setText(QStringLiteral("双击这里开始\r\n"));
    QCOMPARE(box.Text(), QStringLiteral("双击这里开始\r\n"));
    box.setText(QString("abc") + QChar(u'\0') + "def");
    QCOMPARE(box.Text(), QStringLiteral("abc"));
    QCOMPARE(box.toPlainText(), QStringLiteral("abc"));
}

void TestTextBox::changeFiresOnProgramAndUserChanges()
{
    TextBox box;
    QSignalSpy changes(&box, &TextBox::Change);
    box.setText(QStringLiteral("ab"));
    QCOMPARE(changes.count(), 1);
    box.setText(QStringLiteral("ab"));
    QCOMPARE(changes.count(), 1);
    box.setSelStart(2);
    QTest::keyClicks(&box, QStringLiteral("cd"));
    QCOMPARE(changes.count(), 3);
    QCOMPARE(box.Text(), QStringLiteral("abcd"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(changes.count(), 4);
    QCOMPARE(box.Text(), QStringLiteral("abc"));
}

void TestTextBox::enterInsertsCrLfOnlyWhenMultiLine()
{
    TextBox box;
    box.setText(QStringLiteral("a\nb"));
    box.setSelStart(1);
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.Text(), QStringLiteral("a\r\n\nb"));

    TextBox single;
    single.setMultiLine(false);
    single.setText(QStringLiteral("x\r\ny"));
    QCOMPARE(single.toPlainText(), QStringLiteral("x y"));
    single.setSelStart(1);
    QTest::keyClick(&single, Qt::Key_Return);
    QCOMPARE(single.Text(), QStringLiteral("x\r\ny"));
    QCOMPARE(single.LineCount(), 1);
}

void TestTextBox::selectionMapsOntoShownCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("selected");
    const QString piece = QStringLiteral("第一回\r\n灵根育孕源流出，\r\n心性修持大道生。");
    QTest::newRow("word after one pair") << piece << 5 << 2 << QStringLiteral("灵根");
    QTest::newRow("word after two pairs") << piece << 15 << 4 << QStringLiteral("心性修持");
    QTest::newRow("across a pair") << piece << 13 << 3 << QStringLiteral("\r\n心");
    QTest::newRow("length past end is cut") << piece << 21 << 9 << QStringLiteral("生。");
    QTest::newRow("caret only") << piece << 1 << 0 << QString();
}

void TestTextBox::selectionMapsOntoShownCharacters()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, selected);
    TextBox box;
    box.setText(text);
    box.setSelStart(start);
    box.setSelLength(length);
    QCOMPARE(box.SelStart(), start);
    QCOMPARE(box.SelText(), selected);
    QString shownSelection = box.textCursor().selectedText();
    shownSelection.replace(QChar(QChar::ParagraphSeparator), QStringLiteral("\r\n"));
    QCOMPARE(shownSelection, selected);
}

void TestTextBox::userSelectionReadsAsTextPositions()
{
    TextBox box;
    box.setText(QStringLiteral("ab\r\ncd"));
    QTextCursor c = box.textCursor();
    c.setPosition(1);
    c.setPosition(4, QTextCursor::KeepAnchor); // "b", the line break, "c" as shown
    box.setTextCursor(c);
    QCOMPARE(box.SelStart(), 1);
    QCOMPARE(box.SelLength(), 4);
    QCOMPARE(box.SelText(), QStringLiteral("b\r\nc"));
}

void TestTextBox::wrappedLinesCoverTheText()
{
    TextBox box;
    box.resize(120, 300);
    box.show();
    const QString para = QString(60, QChar(u'好'));
    box.setText(para + QStringLiteral("\r\n") + QStringLiteral("short"));
    const int lines = box.LineCount();
    QVERIFY(lines > 3);
    QString joined;
    for (int i = 0; i < lines; ++i) {
        QVERIFY(!box.Line(i).contains(QChar(QChar::ParagraphSeparator)));
        joined += box.Line(i);
    }
    QCOMPARE(joined, para + QStringLiteral("short"));
    QCOMPARE(box.Line(lines - 1), QStringLiteral("short"));
    QCOMPARE(box.Line(lines), QString());
}

// The overflow answer must agree with what scrolling does: a box that needs more lines can be
// scrolled down by one line, one whose text fits cannot.
void TestTextBox::partlyVisibleLineCountsAsNotShown()
{
    TextBox box;
    box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.setText(tenLines());
    box.show();
    QCOMPARE(box.LineCount(), 10);
    QCOMPARE(box.Line(3), QStringLiteral("line 3"));
    int previousVisible = 0;
    int firstFittingHeight = -1;
    for (int h = 30; h < 600 && firstFittingHeight < 0; ++h) {
        box.resize(200, h);
        const int visible = box.VisibleLineCount();
        QVERIFY(visible >= previousVisible);
        previousVisible = visible;
        box.setFirstVisibleLine(1);
        const bool scrolls = box.FirstVisibleLine() == 1;
        box.setFirstVisibleLine(0);
        QCOMPARE(box.NeedsMoreLines(), scrolls);
        QCOMPARE(box.NeedsMoreLines(), visible < 10);
        if (!box.NeedsMoreLines())
            firstFittingHeight = h;
    }
    QVERIFY(firstFittingHeight > 0);
    box.resize(200, firstFittingHeight - 1); // the last line is now cut at the bottom
    QCOMPARE(box.VisibleLineCount(), 9);
    QVERIFY(box.NeedsMoreLines());
}

void TestTextBox::hiddenBoxWrapsLikeAShownOne()
{
    const QString text = QString(200, QChar(u'好'));
    TextBox shown;
    shown.setGeometry(0, 0, 150, 100);
    shown.setText(text);
    shown.show();
    TextBox hidden;
    hidden.setGeometry(0, 0, 150, 100);
    hidden.setText(text);
    QCOMPARE(hidden.LineCount(), shown.LineCount());
    QCOMPARE(hidden.NeedsMoreLines(), shown.NeedsMoreLines());
    QVERIFY(hidden.NeedsMoreLines());
}

void TestTextBox::doubleClickSignals()
{
    TextBox box;
    box.show();
    QSignalSpy clicks(&box, &TextBox::DblClick);
    QTest::mouseDClick(box.viewport(), Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

TARROWIN_TEST_MAIN(TestTextBox)
#include "tst_TextBox.moc"
