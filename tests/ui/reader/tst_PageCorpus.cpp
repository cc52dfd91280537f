#include "TestRegistry.h"
#include "BoxMeasure.h"
#include "ChunkSize.h"
#include "Gbk.h"
#include "PageBoxes.h"
#include "PageEngine.h"
#include "TextBox.h"
#include <QDir>
#include <QTest>

namespace {

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}

// Turning through whole novels with measures that answer as the page box does: forward, every
// byte is shown exactly once; backward, every page ends where the page after it begins.
class TestPageCorpus : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!QDir(QStringLiteral(TARROWIN_CORPUS_DIR)).exists())
            QSKIP("corpus folder absent: " TARROWIN_CORPUS_DIR);
    }

    void turnsThroughTheNovels_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("caseIndex");
        const QStringList novels = QDir(QStringLiteral(TARROWIN_CORPUS_DIR)).entryList({QStringLiteral("*.txt")});
        for (const QString &novel : novels)
            for (int i = 0; i < int(std::size(PageBoxCases)); ++i)
                QTest::newRow(qPrintable(novel + QStringLiteral(", ") + QLatin1String(PageBoxCases[i].name)))
                    << QStringLiteral(TARROWIN_CORPUS_DIR "/") + novel << i;
    }
    void turnsThroughTheNovels()
    {
        QFETCH(QString, path);
        QFETCH(int, caseIndex);
        TextBox box;
        SetUpPageBox(box, PageBoxCases[caseIndex]);
        TextLayoutMeasure measure(MeasureBoxOf(box));
        const qint64 chunkSize = ChunkSize::Measure(measure);
        const QByteArray file = FileBytes(path);
        QVERIFY(!file.isEmpty());

        // Forward from byte 1 to the end.
        QByteArray shown;
        BytePos position(1);
        for (;;) {
            const QString page = PageEngine::NextPage(measure, path, position, chunkSize);
            if (page.isEmpty())
                break;
            shown += Gbk::fromUnicode(page);
            QCOMPARE(position.value(), qint64(shown.size()) + 1);
        }
        QCOMPARE(shown.size(), file.size());
        QVERIFY(shown == file);

        // Backward from the end to the start.
        QString page;
        int pages = 0;
        while (position.value() > 1) {
            const qint64 start = position.value() - Gbk::byteLength(page);
            page = PageEngine::PrevPage(measure, path, position, chunkSize, page);
            ++pages;
            if (start - chunkSize <= 0)
                break;
            QCOMPARE(position.value(), start);
            const QByteArray bytes = Gbk::fromUnicode(page);
            QVERIFY(!bytes.isEmpty());
            QVERIFY2(file.mid(start - 1 - bytes.size(), bytes.size()) == bytes,
                     qPrintable(QStringLiteral("page ending at %1").arg(start)));
        }
        BytePos first(1);
        QCOMPARE(page, PageEngine::NextPage(measure, path, first, chunkSize));
        QVERIFY(pages > 1);
    }
};

TARROWIN_TEST_MAIN(TestPageCorpus)
#include "tst_PageCorpus.moc"
