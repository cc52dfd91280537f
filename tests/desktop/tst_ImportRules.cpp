#include "TestRegistry.h"
#include "RuleFile.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// `tarrowin --import-rules FILE` as the built program answers it with no display, and
// `--pronounce` speaking the text after the rules it imported.
class TestImportRules : public QObject
{
    Q_OBJECT
private slots:
    void twoHundredRulesJoinTheListenersWithTheBrokenNamed();
    void aFileThatIsNoRuleListChangesNothing_data();
    void aFileThatIsNoRuleListChangesNothing();

private:
    QProcess *run(const QStringList &arguments);

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_program;
};

QProcess *TestImportRules::run(const QStringList &arguments)
{
    m_program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(u"config"_qs));
    m_program->setProcessEnvironment(env);
    m_program->start(QStringLiteral(TARROWIN_EXECUTABLE), arguments);
    if (!m_program->waitForFinished(10000))
        qFatal("the program did not end");
    return m_program.get();
}

void TestImportRules::twoHundredRulesJoinTheListenersWithTheBrokenNamed()
{
    const QString own = m_dir.filePath(u"config/tarrowin/rules.json"_qs);
    TextRule first;
    first.name = first.pattern = u"旧"_qs;
    QVERIFY(WriteRuleFile(own, {first}));
    QJsonArray entries;
    for (int i = 1; i <= 200; ++i) {
        QJsonObject entry{{u"name"_qs, QStringLiteral("规则%1").arg(i)}, {u"pattern"_qs, QStringLiteral("词%1").arg(i)},
                          {u"replacement"_qs, QString()}, {u"isEnabled"_qs, i % 2 == 0}, {u"order"_qs, 300 - i},
                          {u"group"_qs, u"广告"_qs}};
        if (i == 51)
            entry = QJsonObject{{u"name"_qs, u"坏"_qs}, {u"pattern"_qs, u"[未闭合"_qs}, {u"isRegex"_qs, true}};
        if (i == 120)
            entry.remove(u"pattern"_qs);
        if (i == 150)
            entry = QJsonObject{{u"name"_qs, u"广告"_qs}, {u"pattern"_qs, u"广告.?"_qs}, {u"isRegex"_qs, true},
                                {u"scope"_qs, u"朗读"_qs}};
        entries.append(i == 200 ? QJsonValue(u"not a rule"_qs) : QJsonValue(entry));
    }
    const QString file = m_dir.filePath(u"shared.json"_qs);
    QFile shared(file);
    QVERIFY(shared.open(QIODevice::WriteOnly) && shared.write(QJsonDocument(entries).toJson()) > 0);
    shared.close();

    QProcess *program = run({u"--import-rules"_qs, file});
    QCOMPARE(program->exitCode(), 0);
    QCOMPARE(QString::fromUtf8(program->readAllStandardOutput()),
             QStringLiteral("197 rules imported into %1, 3 refused\n").arg(own));
    const QStringList told = QString::fromUtf8(program->readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(told.size(), 3);
    QVERIFY2(told[0].endsWith(u"第 51 条“坏”：表达式有误（U_REGEX_MISSING_CLOSE_BRACKET，第 5 个字符）"), qPrintable(told[0]));
    QVERIFY2(told[1].endsWith(u"第 120 条“规则120”：没有查找内容"), qPrintable(told[1]));
    QVERIFY2(told[2].endsWith(u"第 200 条：不是一条规则"), qPrintable(told[2]));
    const RuleFileContent joined = ReadRuleFile(own, false);
    QCOMPARE(joined.rules.size(), 198);
    QCOMPARE(joined.rules.first(), first);
    // Taken in their own order (the file gave them backwards), numbered after the listener's.
    QCOMPARE(joined.rules[1].name, u"规则199"_qs);
    QCOMPARE(joined.rules[1].order, 1);

    program = run({u"--pronounce"_qs, u"天广告位地"_qs});
    QCOMPARE(program->exitCode(), 0);
    QCOMPARE(program->readAllStandardOutput(), QByteArray("天地\ttian1 di4\n"));
}

void TestImportRules::aFileThatIsNoRuleListChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content"); // none: no file
    QTest::addColumn<QString>("said");
    QTest::newRow("no file") << QByteArray() << u"cannot be read"_qs;
    QTest::newRow("an object, not a list") << QByteArray(R"({"pattern":"a"})") << u"not a rule file"_qs;
}

void TestImportRules::aFileThatIsNoRuleListChangesNothing()
{
    QFETCH(QByteArray, content);
    const QString file = m_dir.filePath(u"other.json"_qs);
    QFile::remove(file);
    QFile other(file);
    QVERIFY(content.isEmpty() || (other.open(QIODevice::WriteOnly) && other.write(content) > 0));
    other.close();
    const QString own = m_dir.filePath(u"config/tarrowin/rules.json"_qs);
    QVERIFY(WriteRuleFile(own, {}));
    QFile ownFile(own);
    QVERIFY(ownFile.open(QIODevice::ReadOnly));
    const QByteArray before = ownFile.readAll();
    QProcess *program = run({u"--import-rules"_qs, file});
    QCOMPARE(program->exitCode(), 2);
    QVERIFY(program->readAllStandardOutput().isEmpty());
    QFETCH(QString, said);
    QVERIFY(QString::fromUtf8(program->readAllStandardError()).contains(said));
    ownFile.seek(0);
    QCOMPARE(ownFile.readAll(), before);
}

TARROWIN_GUILESS_TEST_MAIN(TestImportRules)
#include "tst_ImportRules.moc"
