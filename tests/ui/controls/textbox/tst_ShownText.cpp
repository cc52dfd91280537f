#include "TestRegistry.h"
#include "ShownText.h"
#include <QTest>

namespace {
const QString P{QChar(QChar::ParagraphSeparator)};
}

class TestShownText : public QObject
{
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
    void positions_data();
    void positions();
    void roundTripNeverSplitsAPair();
    void edit_data();
    void edit();
    void cutAtNul();
};

void TestShownText::shown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("multiLine");
    QTest::addColumn<QString>("shown");
    QTest::newRow("crlf one break") << "a\r\nb" << true << "a" + P + "b";
    QTest::newRow("lone lf and cr") << "a\nb\rc" << true << "a" + P + "b" + P + "c";
    QTest::newRow("lf cr is two breaks") << "a\n\rb" << true << "a" + P + P + "b";
    QTest::newRow("single line spaces") << "双击\r\n这里\n" << false << "双击 这里 ";
    QTest::newRow("trailing crlf") << "，\r\n" << true << "，" + P;
}

void TestShownText::shown()
{
    QFETCH(QString, text);
    QFETCH(bool, multiLine);
    QFETCH(QString, shown);
    const ShownText s(text, multiLine ? ShownText::Breaks::AsLineBreaks : ShownText::Breaks::AsSpaces);
    QCOMPARE(s.shown(), shown);
    QCOMPARE(s.text(), text);
}

void TestShownText::positions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("textPos");
    QTest::addColumn<int>("shownPos");
    QTest::addColumn<int>("backToText");
    // "ab\r\ncd\r\n\r\ne": shown "ab|cd||e"
    const QString t = QStringLiteral("ab\r\ncd\r\n\r\ne");
    QTest::newRow("start") << t << 0 << 0 << 0;
    QTest::newRow("before first pair") << t << 2 << 2 << 2;
    QTest::newRow("between cr and lf") << t << 3 << 2 << 2;
    QTest::newRow("after first pair") << t << 4 << 3 << 4;
    QTest::newRow("second line end") << t << 6 << 5 << 6;
    QTest::newRow("between two pairs") << t << 8 << 6 << 8;
    QTest::newRow("after both pairs") << t << 10 << 7 << 10;
    QTest::newRow("end") << t << 11 << 8 << 11;
    QTest::newRow("past end clamps") << t << 50 << 8 << 11;
    QTest::newRow("negative clamps") << t << -3 << 0 << 0;
    QTest::newRow("lone lf is one to one") << QStringLiteral("a\nb") << 2 << 2 << 2;
}

void TestShownText::positions()
{
    QFETCH(QString, text);
    QFETCH(int, textPos);
    QFETCH(int, shownPos);
    QFETCH(int, backToText);
    const ShownText s(text, ShownText::Breaks::AsLineBreaks);
    QCOMPARE(s.toShown(textPos), shownPos);
    QCOMPARE(s.toText(shownPos), backToText);
}

void TestShownText::roundTripNeverSplitsAPair()
{
    const QString text = QStringLiteral("第一回\r\n\r\n灵根育孕源流出，\r\n心性修持大道生。\n\r\n");
    const ShownText s(text, ShownText::Breaks::AsLineBreaks);
    for (int shown = 0; shown <= s.shown().size(); ++shown) {
        const int t = s.toText(shown);
        QCOMPARE(s.toShown(t), shown);
        const bool insidePair = t > 0 && t < text.size() && text[t - 1] == u'\r' && text[t] == u'\n';
        QVERIFY2(!insidePair, qPrintable(QString::number(shown)));
    }
}

void TestShownText::edit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("newShown");
    QTest::addColumn<QString>("newText");
    QTest::newRow("type after pair keeps crlf") << "a\r\nb" << 2 << 0 << "a" + P + "xb" << "a\r\nxb";
    QTest::newRow("delete the break removes the pair") << "a\r\nb" << 1 << 1 << "ab" << "ab";
    QTest::newRow("enter inserts crlf") << "ab" << 1 << 0 << "a" + P + "b" << "a\r\nb";
    QTest::newRow("enter before a lone lf") << "a\nb" << 1 << 0 << "a" + P + P + "b" << "a\r\n\nb";
    QTest::newRow("enter after a lone lf") << "a\nb" << 2 << 0 << "a" + P + P + "b" << "a\n\r\nb";
    QTest::newRow("lone lf kept elsewhere") << "a\nb\r\nc" << 5 << 0 << "a" + P + "b" + P + "cd" << "a\nb\r\ncd";
    QTest::newRow("replace all") << "x\r\ny" << 0 << 3 << "z" << "z";
    QTest::newRow("over-reported change") << "x\r\ny" << 0 << 9 << "x" + P + "yz" << "x\r\nyz";
    QTest::newRow("nul typed cuts") << "abc" << 1 << 0 << QString("a") + QChar(u'\0') + "bc" << "a";
}

void TestShownText::edit()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, removed);
    QFETCH(QString, newShown);
    QFETCH(QString, newText);
    const ShownText s(text, ShownText::Breaks::AsLineBreaks);
    QCOMPARE(s.textAfterEdit(position, removed, newShown), newText);
}

void TestShownText::cutAtNul()
{
    QCOMPARE(CutAtNul(QString("ab") + QChar(u'\0') + "cd"), QStringLiteral("ab"));
    QCOMPARE(CutAtNul(QString(3, QChar(u'\0'))), QString());
    QCOMPARE(CutAtNul(QStringLiteral("a\r\n")), QStringLiteral("a\r\n"));
}

TARROWIN_APPLESS_TEST_MAIN(TestShownText)
#include "tst_ShownText.moc"
