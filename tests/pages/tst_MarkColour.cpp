#include "TestRegistry.h"
#include "MarkColour.h"
#include <QTest>

// The mark behind the word being heard stays clear of the page's text colour (the word is read on
// it) and of the background (the mark shows), whatever pair of colours the reader chose: the same
// colour twice, colours a step apart, the extremes, and the pair that leaves the least room.
class TestMarkColour : public QObject
{
    Q_OBJECT
private slots:
    void distance_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("same colour") << QColor(90, 60, 200) << QColor(90, 60, 200) << 0.0 << 0.0;
        QTest::newRow("black and white") << QColor(Qt::black) << QColor(Qt::white) << 760.0 << 766.0;
        QTest::newRow("one step of green") << QColor(10, 10, 10) << QColor(10, 11, 10) << 1.9 << 2.1;
    }
    void distance()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, low);
        QFETCH(double, high);
        const double d = ColourDistance(a, b);
        QVERIFY2(low <= d && d <= high, qPrintable(QString::number(d)));
        QCOMPARE(ColourDistance(b, a), d);
    }

    void clearOfTextAndBackground_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("background");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("white on white") << QColor(Qt::white) << QColor(Qt::white);
        QTest::newRow("black on black") << QColor(Qt::black) << QColor(Qt::black);
        QTest::newRow("mid grey on itself") << QColor(128, 128, 128) << QColor(128, 128, 128);
        QTest::newRow("greys a step apart") << QColor(127, 127, 127) << QColor(128, 128, 128);
        QTest::newRow("gold a step apart") << QColor(255, 215, 0) << QColor(255, 214, 1);
        QTest::newRow("cyan on gold") << QColor(0, 200, 255) << QColor(255, 215, 0);
        QTest::newRow("yellow on blue") << QColor(Qt::yellow) << QColor(Qt::blue);
        QTest::newRow("red on green") << QColor(Qt::red) << QColor(Qt::green);
        QTest::newRow("magenta on cyan") << QColor(Qt::magenta) << QColor(Qt::cyan);
        QTest::newRow("sepia") << QColor(91, 70, 54) << QColor(244, 236, 216);
        QTest::newRow("night") << QColor(170, 170, 160) << QColor(20, 24, 36);
        QTest::newRow("eye-rest green") << QColor(0, 0, 0) << QColor(199, 237, 204);
        QTest::newRow("olive on sage, least room") << QColor(102, 102, 85) << QColor(153, 187, 153);
    }
    void clearOfTextAndBackground()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        const QColor mark = MarkColour(text, background);
        QVERIFY(mark.isValid());
        QCOMPARE(mark.alpha(), 255);
        // at least a third of the way from black to white away from either colour
        const double floor = ColourDistance(Qt::black, Qt::white) / 3;
        QVERIFY2(ColourDistance(mark, text) >= floor, qPrintable(mark.name()));
        QVERIFY2(ColourDistance(mark, background) >= floor, qPrintable(mark.name()));
        // the pair read the other way round leaves as much room
        const QColor swapped = MarkColour(background, text);
        QCOMPARE(std::min(ColourDistance(swapped, text), ColourDistance(swapped, background)),
                 std::min(ColourDistance(mark, text), ColourDistance(mark, background)));
    }
};

TARROWIN_GUILESS_TEST_MAIN(TestMarkColour)
#include "tst_MarkColour.moc"
