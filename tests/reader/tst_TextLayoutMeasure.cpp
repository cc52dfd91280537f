#include "BoxMeasure.h"
#include "PageBoxes.h"
#include "PageFit.h"
#include "TextBox.h"
#include "mdlFileBinText.h"
#include <QtTest>

namespace {

QString SampleText()
{
    const QString corpus = QStringLiteral(TARROWIN_CORPUS_DIR "/sanguoyanyi_crlf.txt");
    QString text = mdlFileBinText::ReadTextFile(corpus).value_or(QString()).left(6000);
    // Line ends of every kind, blank lines, long ASCII words, spaces at line ends.
    text += QStringLiteral("\r\n\r\n甲乙\r丙丁\n\n戊 己  庚\r\n") + QStringLiteral("Supercalifragilistic ").repeated(20)
        + QStringLiteral("“天下大势，分久必合，合久必分。”   \n").repeated(10);
    return text;
}

}

// The layout measure must answer as the page box does, or pages are cut to the wrong size.
class TestTextLayoutMeasure : public QObject
{
    Q_OBJECT
private slots:
    void answersAsThePageBox_data()
    {
        QTest::addColumn<int>("caseIndex");
        for (int i = 0; i < int(std::size(PageBoxCases)); ++i)
            QTest::newRow(PageBoxCases[i].name) << i;
    }
    void answersAsThePageBox()
    {
        QFETCH(int, caseIndex);
        TextBox box;
        SetUpPageBox(box, PageBoxCases[caseIndex]);
        TextLayoutMeasure measure(MeasureBoxOf(box));
        const QString text = SampleText();
        int overflowing = 0;
        int fitting = 0;
        for (int from = 0; from < text.size(); from += 331) {
            const QString chunk = text.mid(from, 1500);
            // Around the point where the box fills up, where a wrong answer would show.
            const int shown = PageFit::FitHead(measure, chunk);
            for (int length = qMax(0, shown - 12); length <= qMin(int(chunk.size()), shown + 12); ++length) {
                const QString t = chunk.left(length);
                box.setText(t);
                const bool boxOverflows = box.NeedsMoreLines();
                QVERIFY2(measure.Overflows(t) == boxOverflows,
                         qPrintable(QStringLiteral("from %1, length %2").arg(from).arg(length)));
                (boxOverflows ? overflowing : fitting) += 1;
            }
        }
        QVERIFY(overflowing > 0 && fitting > 0);
    }

    // A measure keeps the paragraphs it laid out whole and reuses them in other texts, shifted to
    // where they stand there: its answers must be those of a measure that starts afresh.
    void keptParagraphsAnswerAsAFreshLayout_data() { answersAsThePageBox_data(); }
    void keptParagraphsAnswerAsAFreshLayout()
    {
        QFETCH(int, caseIndex);
        TextBox box;
        SetUpPageBox(box, PageBoxCases[caseIndex]);
        TextLayoutMeasure kept(MeasureBoxOf(box));
        const QString chunk = SampleText().mid(2000, 2500);
        kept.ShownTailStart(chunk); // every paragraph of the chunk laid out whole
        for (int cut = 0; cut <= chunk.size(); cut += 37) {
            for (const QString &t : {chunk.left(cut), chunk.mid(cut), chunk.mid(cut, 700)}) {
                TextLayoutMeasure fresh(MeasureBoxOf(box));
                const QString where = QStringLiteral("cut %1, length %2").arg(cut).arg(t.size());
                QVERIFY2(kept.Overflows(t) == fresh.Overflows(t), qPrintable(where));
                QVERIFY2(kept.ShownHeadLength(t) == fresh.ShownHeadLength(t), qPrintable(where));
                QVERIFY2(kept.ShownTailStart(t) == fresh.ShownTailStart(t), qPrintable(where));
            }
        }
    }

    void guessesAreCloseToTheFit()
    {
        TextBox box;
        SetUpPageBox(box, PageBoxCases[1]);
        TextLayoutMeasure measure(MeasureBoxOf(box));
        const QString chunk = SampleText().mid(100, 1500);
        const int head = PageFit::FitHead(measure, chunk);
        QVERIFY(qAbs(measure.ShownHeadLength(chunk) - head) <= 2);
        const int tail = PageFit::FitTail(measure, chunk);
        QVERIFY(qAbs(measure.ShownTailStart(chunk) - tail) <= 2);
    }
};

QTEST_MAIN(TestTextLayoutMeasure)
#include "tst_TextLayoutMeasure.moc"
