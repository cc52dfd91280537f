#include "TestRegistry.h"
#include "ChunkSize.h"
#include "GridMeasure.h"
#include "PageCut.h"
#include "PageFit.h"
#include <QTest>

namespace {

// The trimming the fit stands for: remove one character at a time until the text fits.
int TrimmedHeadLength(PageMeasure &measure, const QString &text)
{
    QString t = text;
    while (!t.isEmpty() && measure.Overflows(t))
        t.chop(1);
    return int(t.size());
}

int TrimmedTailStart(PageMeasure &measure, const QString &text)
{
    QString t = text;
    while (!t.isEmpty() && measure.Overflows(t))
        t.remove(0, 1);
    return int(text.size() - t.size());
}

class FixedAnswer : public PageMeasure
{
public:
    explicit FixedAnswer(bool overflows) : m_overflows(overflows) {}
    bool Overflows(const QString &) override
    {
        ++questions;
        return m_overflows;
    }
    int questions = 0;

private:
    bool m_overflows;
};

// A sample of text with line ends, ASCII and Chinese, breaks and none.
QString MixedText()
{
    return QStringLiteral("第一回　灵根育孕源流出　心性修持大道生\r\n诗曰：混沌未分天地乱，茫茫渺渺无人见。"
                          "\nsome ASCII words here and there,\r\n\r\n自从盘古破鸿蒙，开辟从兹清浊辨。覆载群生仰至仁，"
                          "发明万物皆成善。欲知造化会元功，须看西游释厄传。");
}

}

class TestPageFit : public QObject
{
    Q_OBJECT
private slots:
    void largestFittingFindsTheThreshold_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("guess");
        QTest::newRow("all fit, no guess") << 700 << 700 << -1;
        QTest::newRow("none fits") << 700 << 0 << -1;
        QTest::newRow("exact guess") << 700 << 612 << 612;
        QTest::newRow("guess too low") << 700 << 612 << 580;
        QTest::newRow("guess too high") << 700 << 612 << 650;
        QTest::newRow("guess zero") << 700 << 3 << 0;
        QTest::newRow("guess past the end") << 700 << 400 << 900;
        QTest::newRow("empty") << 0 << 0 << -1;
        QTest::newRow("one, fits") << 1 << 1 << -1;
        QTest::newRow("one, overflows") << 1 << 0 << 1;
    }
    void largestFittingFindsTheThreshold()
    {
        QFETCH(int, n);
        QFETCH(int, answer);
        QFETCH(int, guess);
        int questions = 0;
        const int found = PageFit::LargestFitting(n, guess, [&](int k) {
            ++questions;
            return k <= answer;
        });
        QCOMPARE(found, answer);
        QVERIFY2(questions <= 2 * 10 + 2, qPrintable(QString::number(questions)));
    }

    void anExactGuessCostsTwoQuestions()
    {
        int questions = 0;
        PageFit::LargestFitting(1400, 733, [&](int k) {
            ++questions;
            return k <= 733;
        });
        QCOMPARE(questions, 2);
    }

    void fitsMatchTrimmingOneCharacterAtATime_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        for (int columns : {1, 2, 3, 7, 20, 41})
            for (int rows : {1, 2, 5, 40})
                QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(columns).arg(rows))) << columns << rows;
    }
    void fitsMatchTrimmingOneCharacterAtATime()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        GridMeasure measure(columns, rows);
        const QString text = MixedText();
        for (int from = 0; from < text.size(); from += 7) {
            const QString chunk = text.mid(from);
            QCOMPARE(PageFit::FitHead(measure, chunk), TrimmedHeadLength(measure, chunk));
            QCOMPARE(PageFit::FitTail(measure, chunk), TrimmedTailStart(measure, chunk));
        }
    }

    void chunkSizeOfABoxShowingSixHundred()
    {
        GridMeasure measure(60, 20); // 30 "好" a line, 20 lines
        QCOMPARE(ChunkSize::Measure(measure), qint64(1442));
        QVERIFY2(measure.questions < 40, qPrintable(QString::number(measure.questions)));
    }

    void chunkSizeAgreesWithCountingOneByOne_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("1 column") << 1 << 30;
        QTest::newRow("three cells") << 3 << 1;
        QTest::newRow("one line") << 81 << 1;
        QTest::newRow("power of two") << 32 << 8;
        QTest::newRow("just below the limit") << 200 << 99;
        QTest::newRow("just at the limit") << 200 << 100;
    }
    void chunkSizeAgreesWithCountingOneByOne()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        GridMeasure measure(columns, rows);
        const int shown = qMin(qMax(1, columns / 2) * rows, ChunkSize::MaxCount);
        const int expected = shown == ChunkSize::MaxCount ? ChunkSize::MaxCount + 1 : shown + 1;
        QCOMPARE(ChunkSize::FirstOverflowingCount(measure), expected);
    }

    void chunkSizeEndsAtOnceForABoxWithoutUsableSize()
    {
        FixedAnswer never(false);
        QCOMPARE(ChunkSize::Measure(never), qint64(24002));
        QVERIFY(never.questions <= 16);
        FixedAnswer always(true);
        QCOMPARE(ChunkSize::Measure(always), qint64(2));
        QVERIFY(always.questions <= 2);
    }

    void pageCutAtBreakCharacters_data()
    {
        QTest::addColumn<QString>("fitted");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("tail");
        QTest::newRow("no break") << QStringLiteral("天地玄黄") << QStringLiteral("天地玄黄") << QStringLiteral("天地玄黄");
        QTest::newRow("CR LF: head after the LF") << QStringLiteral("甲乙\r\n丙丁") << QStringLiteral("甲乙\r\n")
                                                   << QStringLiteral("\n丙丁");
        QTest::newRow("each of the ten") << QStringLiteral("a b，c。d！e：f”g；h？i\nj\rk") << QStringLiteral("a b，c。d！e：f”g；h？i\nj\r")
                                         << QStringLiteral("b，c。d！e：f”g；h？i\nj\rk");
        QTest::newRow("break only at the end") << QStringLiteral("天地。") << QStringLiteral("天地。") << QStringLiteral("天地。");
        QTest::newRow("break only at the start") << QStringLiteral("。天地") << QStringLiteral("。") << QStringLiteral("天地");
        QTest::newRow("not a break: ASCII comma, left quote") << QStringLiteral("a,b“c") << QStringLiteral("a,b“c")
                                                              << QStringLiteral("a,b“c");
        QTest::newRow("empty") << QString() << QString() << QString();
    }
    void pageCutAtBreakCharacters()
    {
        QFETCH(QString, fitted);
        QFETCH(QString, head);
        QFETCH(QString, tail);
        QCOMPARE(PageCut::HeadPage(fitted), head);
        QCOMPARE(PageCut::TailPage(fitted), tail);
    }
};

TARROWIN_APPLESS_TEST_MAIN(TestPageFit)
#include "tst_PageFit.moc"
