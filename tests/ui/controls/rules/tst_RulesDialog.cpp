#include "TestRegistry.h"
#include "RuleBook.h"
#include "RulesDialog.h"
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

// The rules dialog: the piece after the rules follows the list, "确定" writes each rule to its
// file, and a file that could not be read is never written over.
class TestRulesDialog : public QObject
{
    Q_OBJECT
private slots:
    void theTestFollowsTheListAndOkWritesEachFile();
    void aFileThatCouldNotBeReadIsKept();
};

namespace {
TextRule Rule(const QString &pattern, bool novelOnly)
{
    TextRule rule;
    rule.name = rule.pattern = pattern;
    rule.novelOnly = novelOnly;
    return rule;
}
}

void TestRulesDialog::theTestFollowsTheListAndOkWritesEachFile()
{
    QTemporaryDir dir;
    const RuleBookFiles files{dir.filePath(u"rules.json"_qs), dir.filePath(u"a.txt.jinghua"_qs), dir.filePath(u"a.txt.jinghua"_qs)};
    QVERIFY(WriteRuleFile(files.general, {Rule(u"广告"_qs, false)}));
    QVERIFY(WriteRuleFile(files.novelToWrite, {Rule(u"乙"_qs, true)}));
    RulesDialog dialog(files, u"甲广告乙丙"_qs);
    auto *after = dialog.findChild<QPlainTextEdit *>(u"txtJingHuaHou"_qs);
    auto *list = dialog.findChild<QListWidget *>(u"lstGuiZe"_qs);
    QCOMPARE(after->toPlainText(), u"甲丙"_qs);
    list->item(0)->setCheckState(Qt::Unchecked);
    QCOMPARE(after->toPlainText(), u"甲广告丙"_qs);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const RuleFileContent general = ReadRuleFile(files.general, false);
    QCOMPARE(general.rules.size(), 1);
    QVERIFY(!general.rules[0].enabled);
    QCOMPARE(ReadRuleFile(files.novelToRead, true).rules.value(0).pattern, u"乙"_qs);
}

void TestRulesDialog::aFileThatCouldNotBeReadIsKept()
{
    QTemporaryDir dir;
    const RuleBookFiles files{dir.filePath(u"rules.json"_qs), QString(), QString()};
    QFile broken(files.general);
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("[{\"pattern\":\"a\"}, 7") > 0);
    broken.close();
    RuleBook book(files);
    QVERIFY(!book.fault().isEmpty());
    book.addPresets();
    QVERIFY(book.save().contains(u"没有写入"));
    QVERIFY(broken.open(QIODevice::ReadOnly));
    QCOMPARE(broken.readAll(), QByteArray("[{\"pattern\":\"a\"}, 7"));
}

TARROWIN_TEST_MAIN(TestRulesDialog)
#include "tst_RulesDialog.moc"
