#include "TestRegistry.h"
#include "ByteRange.h"
#include <QTest>
#include <limits>

namespace {
constexpr qint64 Most = std::numeric_limits<qint64>::max();
constexpr qint64 Least = std::numeric_limits<qint64>::min();
}

// Moving a position by a number of bytes holds it at the ends of the 64-bit range: a typed
// position or piece length near the limits never wraps round to a small or negative position.
class TestBytePos : public QObject
{
    Q_OBJECT
private slots:
    void movingSaturates_data();
    void movingSaturates();
    void distanceSaturates();
    void rangeOfLengthSaturates();
};

void TestBytePos::movingSaturates_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<qint64>("plus");
    QTest::addColumn<qint64>("minus");
    QTest::newRow("within the range") << qint64(10) << qint64(5) << qint64(15) << qint64(5);
    QTest::newRow("one short of the top") << Most - 1 << qint64(1) << Most << Most - 2;
    QTest::newRow("past the top") << Most - 1 << qint64(2) << Most << Most - 3;
    QTest::newRow("top plus top") << Most << Most << Most << qint64(0);
    QTest::newRow("one short of the bottom") << Least + 1 << qint64(-1) << Least << Least + 2;
    QTest::newRow("past the bottom") << qint64(-2) << Least << Least << Most - 1;
    QTest::newRow("bottom minus bottom") << Least << Least << Least << qint64(0);
    QTest::newRow("first byte and the top") << qint64(1) << Most << Most << Least + 2;
    QTest::newRow("zero minus the bottom") << qint64(0) << Least << Least << Most;
}

void TestBytePos::movingSaturates()
{
    QFETCH(qint64, position);
    QFETCH(qint64, bytes);
    QFETCH(qint64, plus);
    QFETCH(qint64, minus);
    QCOMPARE((BytePos(position) + bytes).value(), plus);
    QCOMPARE((BytePos(position) - bytes).value(), minus);
    BytePos moved(position);
    moved += bytes;
    QCOMPARE(moved.value(), plus);
    moved = BytePos(position);
    moved -= bytes;
    QCOMPARE(moved.value(), minus);
}

void TestBytePos::distanceSaturates()
{
    QCOMPARE(BytePos(20) - BytePos(5), qint64(15));
    QCOMPARE(BytePos(Most) - BytePos(-1), Most);
    QCOMPARE(BytePos(Least) - BytePos(1), Least);
}

void TestBytePos::rangeOfLengthSaturates()
{
    const ByteRange piece = ByteRange::Of(BytePos(7), 4);
    QCOMPARE(piece.end.value(), qint64(11));
    QCOMPARE(piece.length(), qint64(4));
    const ByteRange atTheTop = ByteRange::Of(BytePos(Most - 3), 10);
    QCOMPARE(atTheTop.end.value(), Most);
    QCOMPARE(atTheTop.length(), qint64(3));
}

TARROWIN_APPLESS_TEST_MAIN(TestBytePos)
#include "tst_bytepos.moc"
