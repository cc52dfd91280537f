#include "TestRegistry.h"
#include "RuleFile.h"
#include "TextRules.h"
#include <QTest>

// Rules applied to a text, the map back to it, and rule files read as shared.
class TestTextRules : public QObject
{
    Q_OBJECT
private slots:
    void applyAndMapBack_data();
    void applyAndMapBack();
    void aRuleThatRunsAwayIsTurnedOffAndTheRestApply_data();
    void aRuleThatRunsAwayIsTurnedOffAndTheRestApply();
    void entriesAreTakenOrRefusedWithTheirReason_data();
    void entriesAreTakenOrRefusedWithTheirReason();
};

namespace {
// "pattern|replacement|flags|order": flags r for a regular expression, p for the page as well.
QVector<TextRule> Rules(const QStringList &lines)
{
    QVector<TextRule> rules;
    for (const QString &line : lines) {
        const QStringList f = line.split(u'|');
        TextRule rule;
        rule.name = f[0];
        rule.pattern = f[0];
        rule.replacement = f[1];
        rule.isRegex = f[2].contains(u'r');
        rule.scope = f[2].contains(u'p') ? RuleScope::SpeechAndPage : RuleScope::Speech;
        rule.order = f[3].toInt();
        rules.append(rule);
    }
    return rules;
}

// The source stretch of every unit of the new text, "from-to" joined by commas.
QString Map(const RuledText &ruled)
{
    QStringList spans;
    for (int i = 0; i < int(ruled.text().size()); ++i) {
        const SourceSpan s = ruled.sourceOf(i, 1);
        spans << QStringLiteral("%1-%2").arg(s.position).arg(s.end());
    }
    return spans.join(u',');
}
}

void TestTextRules::applyAndMapBack_data()
{
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<bool>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("map");
    QTest::newRow("removed stretch stepped over") << QStringList{u"广告||l|0"_qs} << false
        << u"甲广告乙"_qs << u"甲乙"_qs << u"0-1,3-4"_qs;
    QTest::newRow("replaced word maps to the whole word") << QStringList{u"乙丙|XY|l|0"_qs} << false
        << u"甲乙丙丁"_qs << u"甲XY丁"_qs << u"0-1,1-3,1-3,3-4"_qs;
    QTest::newRow("plain text is literal") << QStringList{u"a.b|-|l|0"_qs} << false
        << u"axb a.b"_qs << u"axb -"_qs << u"0-1,1-2,2-3,3-4,4-7"_qs;
    QTest::newRow("regex groups in the replacement") << QStringList{u"(\\d+)章|第$1章|r|0"_qs} << false
        << u"3章"_qs << u"第3章"_qs << u"0-2,0-2,0-2"_qs;
    QTest::newRow("backslash keeps a dollar") << QStringList{u"元|\\$|r|0"_qs} << false
        << u"5元"_qs << u"5$"_qs << u"0-1,1-2"_qs;
    QTest::newRow("empty matches change nothing") << QStringList{u"x*|Y|r|0"_qs} << false
        << u"ab"_qs << u"ab"_qs << u"0-1,1-2"_qs;
    QTest::newRow("second rule maps through the first") << QStringList{u"乙|XY|l|0"_qs, u"Y甲||l|1"_qs} << false
        << u"乙甲丙"_qs << u"X丙"_qs << u"0-1,2-3"_qs;
    QTest::newRow("order, not list position") << QStringList{u"A|B|l|1"_qs, u"B|C|l|0"_qs} << false
        << u"AB"_qs << u"BC"_qs << u"0-1,1-2"_qs;
    QTest::newRow("the page takes only its rules") << QStringList{u"甲||l|0"_qs, u"乙|丙|p|1"_qs} << true
        << u"甲乙"_qs << u"甲丙"_qs << u"0-1,1-2"_qs;
    QTest::newRow("a bad expression changes nothing") << QStringList{u"(甲||r|0"_qs, u"乙||l|1"_qs} << false
        << u"甲乙"_qs << u"甲"_qs << u"0-1"_qs;
    QTest::newRow("whole line with its line end") << QStringList{u"(?m)^.*www\\..*(?:\\r?\\n)?||r|0"_qs} << false
        << u"甲\r\n看www.x.com\r\n乙"_qs << u"甲\r\n乙"_qs << u"0-1,1-2,2-3,15-16"_qs;
}

void TestTextRules::applyAndMapBack()
{
    QFETCH(QStringList, rules);
    QFETCH(bool, page);
    QFETCH(QString, text);
    TextRules set(Rules(rules));
    const RuledText ruled = set.apply(text, page ? RuleScope::SpeechAndPage : RuleScope::Speech);
    QTEST(ruled.text(), "expected");
    QTEST(Map(ruled), "map");
}

void TestTextRules::aRuleThatRunsAwayIsTurnedOffAndTheRestApply_data()
{
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("why");
    QTest::newRow("past the time limit") << QStringList{u"(a+)+b||r|0"_qs, u"c|d|l|1"_qs}
        << QString(40, u'a') + u'c' << QString(40, u'a') + u'd' << u"用时过长"_qs;
    const QString eight(8, u'a');
    QTest::newRow("text grown too long") << QStringList{u"a|"_qs + eight + u"|l|0"_qs, u"a|"_qs + eight + u"|l|1"_qs,
                                                         u"a|"_qs + eight + u"|l|2"_qs, u"b|c|l|3"_qs}
        << u"aaab"_qs << QString(192, u'a') + u'c' << u"替换后的文字过长"_qs;
}

void TestTextRules::aRuleThatRunsAwayIsTurnedOffAndTheRestApply()
{
    QFETCH(QStringList, rules);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(QString, why);
    TextRules set(Rules(rules));
    QCOMPARE(set.apply(text, RuleScope::Speech).text(), expected);
    const QStringList told = set.takeTurnedOff();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].contains(why), qPrintable(told[0]));
    QCOMPARE(set.apply(text, RuleScope::Speech).text(), expected);
    QVERIFY(set.takeTurnedOff().isEmpty());
}

void TestTextRules::entriesAreTakenOrRefusedWithTheirReason_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("taken");
    QTest::addColumn<QString>("said");
    QTest::newRow("defaults, unknown fields ignored")
        << QByteArray(R"([{"pattern":"ad","id":7,"group":"x"}])") << 1 << QString();
    QTest::newRow("not an object") << QByteArray(R"([3,{"pattern":"a"}])") << 1 << u"第 1 条：不是一条规则"_qs;
    QTest::newRow("no pattern") << QByteArray(R"([{"name":"n","pattern":""}])") << 0 << u"第 1 条“n”：没有查找内容"_qs;
    QTest::newRow("flag not a boolean") << QByteArray(R"([{"pattern":"a","isRegex":"yes"}])") << 0
        << u"第 1 条：isRegex 或 isEnabled 不是 true/false"_qs;
    QTest::newRow("replacement not text") << QByteArray(R"([{"pattern":"a","replacement":5}])") << 0
        << u"第 1 条：替换内容不是文字"_qs;
    QTest::newRow("expression does not compile") << QByteArray(R"([{"name":"坏","pattern":"(a","isRegex":true}])")
        << 0 << u"第 1 条“坏”：表达式有误（U_REGEX_MISMATCHED_PAREN，第 3 个字符）"_qs;
    QTest::newRow("unknown scope taken in off") << QByteArray(R"([{"name":"s","pattern":"a","scope":"某书"}])")
        << 1 << u"第 1 条“s”：范围“某书”在这里没有对应，已关闭"_qs;
}

void TestTextRules::entriesAreTakenOrRefusedWithTheirReason()
{
    QFETCH(QByteArray, json);
    QFETCH(int, taken);
    QFETCH(QString, said);
    const std::optional<ParsedRules> parsed = ParseRules(json, true);
    QVERIFY(parsed);
    QCOMPARE(parsed->rules.size(), taken);
    QCOMPARE((parsed->refused + parsed->notes).join(u'\n'), said);
    for (const TextRule &rule : parsed->rules)
        QCOMPARE(ParseRules(RulesJson({rule}), true)->rules.value(0), rule);
    QVERIFY(!ParseRules("{\"pattern\":\"a\"}", true));
}

TARROWIN_GUILESS_TEST_MAIN(TestTextRules)
#include "tst_TextRules.moc"
