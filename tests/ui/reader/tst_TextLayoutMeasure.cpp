#include "TestRegistry.h"
#include "BoxMeasure.h"
#include "CountingMeasure.h"
#include "PageBoxes.h"
#include "PageFit.h"
#include "TextBox.h"
#include "WrapEstimate.h"
#include "mdlFileBinText.h"
#include <QTextLayout>
#include <QTest>

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

// Where a text layout of `paragraph` in `font`, `width` pixels wide, begins each line.
QList<int> LaidOutLineStarts(const QString &paragraph, const QFont &font, qreal width)
{
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QList<int> starts;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts.append(line.textStart());
    }
    layout.endLayout();
    return starts;
}

// Where the estimate begins each line of the paragraph's characters from `from` to `to`, counted
// from `from`.
QList<int> EstimatedLineStarts(const WrapEstimate &estimate, int from = 0, int to = -1)
{
    QList<int> starts;
    for (const WrapEstimate::Line &line : estimate.Lines(from, to))
        starts.append(line.start - from);
    return starts;
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

    // Chinese paragraphs wrap where a text layout wraps them, from their start or from any
    // character, up to their end or to any character; a word wider than a line breaks anywhere
    // and spaces never start a line.
    void wrapEstimateBreaksLinesAsALayout_data() { answersAsThePageBox_data(); }
    void wrapEstimateBreaksLinesAsALayout()
    {
        QFETCH(int, caseIndex);
        QFont font(QString::fromLatin1(PageBoxCases[caseIndex].family));
        font.setPointSizeF(PageBoxCases[caseIndex].points);
        const qreal width = PageBoxCases[caseIndex].size.width() - 8;
        WrapEstimate estimate(font, width);
        const QStringList paragraphs = SampleText().left(6000).split(QStringLiteral("\r\n"));
        int compared = 0;
        for (const QString &paragraph : paragraphs) {
            estimate.SetParagraph(paragraph);
            QCOMPARE(EstimatedLineStarts(estimate), LaidOutLineStarts(paragraph, font, width));
            const int cut = int(paragraph.size()) / 3;
            QCOMPARE(EstimatedLineStarts(estimate, cut), LaidOutLineStarts(paragraph.mid(cut), font, width));
            QCOMPARE(EstimatedLineStarts(estimate, 0, 2 * cut), LaidOutLineStarts(paragraph.left(2 * cut), font, width));
            compared += paragraph.isEmpty() ? 0 : 1;
        }
        QVERIFY(compared > 20);
        for (const QString &paragraph : {QStringLiteral("1234567890").repeated(30), QStringLiteral("甲乙  ").repeated(40)}) {
            estimate.SetParagraph(paragraph);
            QCOMPARE(EstimatedLineStarts(estimate), LaidOutLineStarts(paragraph, font, width));
        }
        estimate.SetParagraph(QString());
        QCOMPARE(EstimatedLineStarts(estimate), QList<int>{0});
    }

    // The guesses come from the estimate, not a layout: on Chinese text they are the fit, so that
    // a fit asks two questions, one that fits and one that does not.
    void fitsOfChineseTextAskTwoQuestions_data() { answersAsThePageBox_data(); }
    void fitsOfChineseTextAskTwoQuestions()
    {
        QFETCH(int, caseIndex);
        TextBox box;
        SetUpPageBox(box, PageBoxCases[caseIndex]);
        const QString text = SampleText().left(6000);
        int fits = 0;
        int questions = 0;
        for (int from = 0; from + 1500 <= text.size(); from += 97) {
            const QString chunk = text.mid(from, 1500);
            TextLayoutMeasure measure(MeasureBoxOf(box));
            CountingMeasure counting(measure);
            PageFit::FitHead(counting, chunk);
            PageFit::FitTail(counting, chunk);
            fits += 2;
            questions += counting.overflowQuestions;
        }
        QVERIFY2(questions <= 2 * fits + fits / 10, qPrintable(QStringLiteral("%1 questions in %2 fits").arg(questions).arg(fits)));
    }

    // Measures of one box share what the guesses learn of its font; a box of another size or
    // font never takes it.
    void guessesFollowTheBoxOfEachMeasure()
    {
        const QString chunk = SampleText().mid(100, 1500);
        QList<int> first;
        for (int round = 0; round < 2; ++round) {
            QList<int> guesses;
            for (const PageBoxCase &c : PageBoxCases) {
                TextBox box;
                SetUpPageBox(box, c);
                TextLayoutMeasure measure(MeasureBoxOf(box));
                guesses << measure.ShownHeadLength(chunk) << measure.ShownTailStart(chunk);
            }
            if (round == 0)
                first = guesses;
            QCOMPARE(guesses, first);
        }
        QCOMPARE(QSet<int>(first.begin(), first.end()).size(), first.size());
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

TARROWIN_TEST_MAIN(TestTextLayoutMeasure)
#include "tst_TextLayoutMeasure.moc"
