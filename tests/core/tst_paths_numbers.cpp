#include "TestRegistry.h"
#include "NumericText.h"
#include "ProgramFolder.h"
#include "mdlForder.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>

// The program folder, the special folders, and the numbers read from text boxes.
class TestPathsNumbers : public QObject
{
    Q_OBJECT

private slots:
    void programFolder();
    void specialFolders_data();
    void specialFolders();
    void bareFileName_data();
    void bareFileName();
    void sideFileOnlyForBareNames();
    void numericValue_data();
    void numericValue();
    void formatPercent_data();
    void formatPercent();
};

void TestPathsNumbers::programFolder()
{
    QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath());
    SetProgramFolder(QStringLiteral("/srv/novels"));
    QCOMPARE(ProgramFilePath(QStringLiteral("西游记.txt")), QStringLiteral("/srv/novels/西游记.txt"));
    SetProgramFolder(QString());
    QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath());
}

void TestPathsNumbers::specialFolders_data()
{
    QTest::addColumn<int>("csidl");
    QTest::addColumn<bool>("known");
    QTest::newRow("common program files") << 43 << true;
    QTest::newRow("system") << 37 << true;
    QTest::newRow("desktop") << 0 << false;
    QTest::newRow("negative") << -1 << false;
    QTest::newRow("large") << 0x8000 << false;
}

void TestPathsNumbers::specialFolders()
{
    QFETCH(int, csidl);
    QFETCH(bool, known);
    const QString path = mdlForder::SpecialFolderPath(csidl);
    if (known)
        QVERIFY2(QFileInfo(path).isDir(), qPrintable(path));
    else
        QCOMPARE(path, QString());
}

void TestPathsNumbers::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("digits") << "100" << 100LL;
    QTest::newRow("digits then letters") << "100abc" << 100LL;
    QTest::newRow("empty") << "" << 0LL;
    QTest::newRow("word") << "abc" << 0LL;
    QTest::newRow("leading blanks") << " \t42" << 42LL;
    QTest::newRow("minus") << "-17" << -17LL;
    QTest::newRow("plus") << "+17" << 17LL;
    QTest::newRow("half to even, down") << "2.5" << 2LL;
    QTest::newRow("half to even, up") << "3.5" << 4LL;
    QTest::newRow("negative half") << "-2.5" << -2LL;
    QTest::newRow("just over half") << "2.5000001" << 3LL;
    QTest::newRow("under half") << "2.4999999" << 2LL;
    QTest::newRow("fraction only") << ".6" << 1LL;
    QTest::newRow("line end after") << "1234\r\n" << 1234LL;
    QTest::newRow("full-width digits are no digits") << "\uFF11\uFF12" << 0LL;
    QTest::newRow("beyond 32 bits") << "5000000000" << 5000000000LL;
    QTest::newRow("too large") << "99999999999999999999" << std::numeric_limits<qint64>::max();
    QTest::newRow("too small") << "-99999999999999999999" << std::numeric_limits<qint64>::min();
}

void TestPathsNumbers::numericValue()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(NumericValue(text), value);
}

void TestPathsNumbers::formatPercent_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QString>("text");
    QTest::newRow("quarter") << 5000LL << 20000LL << "25.00%";
    QTest::newRow("start of a large file") << 1LL << 1000000000LL << "0.00%";
    QTest::newRow("past the end") << 300LL << 200LL << "150.00%";
    // Rounded to the nearest hundredth, not cut: cut would give 66.66% and 0.99%.
    QTest::newRow("two thirds rounds up") << 2LL << 3LL << "66.67%";
    QTest::newRow("a hair below one percent") << 9999LL << 1000000LL << "1.00%";
    QTest::newRow("one third rounds down") << 1LL << 3LL << "33.33%";
    QTest::newRow("empty file") << 1LL << 0LL << "";
}

void TestPathsNumbers::formatPercent()
{
    QFETCH(qint64, position);
    QFETCH(qint64, length);
    QFETCH(QString, text);
    QCOMPARE(FormatPercent(position, length), text);
}

void TestPathsNumbers::bareFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("bare");
    QTest::newRow("plain") << "西游记.txt" << true;
    QTest::newRow("dots inside") << "a..b.txt" << true;
    QTest::newRow("design text with its line break") << "双击这里开始\r\n" << false;
    QTest::newRow("tab") << "a\tb.txt" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("slash") << "../secret.txt" << false;
    QTest::newRow("absolute") << "/etc/passwd" << false;
    QTest::newRow("backslash") << "..\\a.txt" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
}

void TestPathsNumbers::bareFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, bare);
    QCOMPARE(IsBareFileName(name), bare);
}

void TestPathsNumbers::sideFileOnlyForBareNames()
{
    SetProgramFolder(QStringLiteral("/opt/t"));
    QCOMPARE(SideFilePath(QStringLiteral("a.txt"), QStringLiteral(".find")), QStringLiteral("/opt/t/a.txt.find"));
    QVERIFY(SideFilePath(QStringLiteral("双击这里开始\r\n"), QStringLiteral(".find")).isEmpty());
    QVERIFY(SideFilePath(QStringLiteral("../a.txt"), QStringLiteral(".kan")).isEmpty());
    SetProgramFolder(QString());
}

TARROWIN_GUILESS_TEST_MAIN(TestPathsNumbers)
#include "tst_paths_numbers.moc"
