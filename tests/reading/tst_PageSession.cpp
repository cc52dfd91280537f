// The reader's page session without a window, pages cut on a grid: the page shown is the place
// with its bytes, kept in ".find" unless the reader is beside the voice; a place handed over is
// opened at its bytes.
#include "TestRegistry.h"
#include "Gbk.h"
#include "GridMeasure.h"
#include "PageSession.h"
#include "ProgramFolder.h"
#include "SideFileWriter.h"
#include "TempNovel.h"
#include <QTest>

namespace {
// Sentences of 8 bytes; the grid shows 8 cells a line, one line a page.
const QString kText = QStringLiteral("第一句。第二句。第一句。第三句。");
}

class tst_PageSession : public QObject
{
    Q_OBJECT

    static void makeSession(PageSession &pages, const TempNovel &novel)
    {
        SetProgramFolder(novel.folder());
        pages.setMeasure([] { return std::make_unique<GridMeasure>(8, 1); });
        pages.setChunkSize(20);
        pages.setNovel(QStringLiteral("novel.txt"), Novel{novel.path()});
    }

    static QByteArray find(const TempNovel &novel)
    {
        QFile file(novel.path() + QStringLiteral(".find"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "(none)";
    }

private slots:
    void thePageShownIsThePlace_data()
    {
        QTest::addColumn<bool>("besideVoice");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("alone: kept in .find") << false << Gbk::fromUnicode(QStringLiteral("第二句。"));
        QTest::newRow("beside the voice: not written") << true << QByteArrayLiteral("(none)");
    }
    void thePageShownIsThePlace()
    {
        QFETCH(bool, besideVoice);
        QFETCH(QByteArray, kept);
        TempNovel novel(kText);
        SideFileWriter writer;
        PageSession pages;
        makeSession(pages, novel);
        pages.setSideFiles(&writer);
        pages.setBesideVoice(besideVoice);
        QVERIFY(pages.showAt(BytePos(9)));
        QCOMPARE(pages.pageText(), QStringLiteral("第二句。"));
        QCOMPARE(pages.place().bytes, (ByteRange{BytePos(9), BytePos(17)}));
        writer.flush();
        QCOMPARE(find(novel), kept);
        // A place typed (not the page) has no bytes; an emptied page is no place.
        pages.setPlaceText(QStringLiteral("第三句"));
        QVERIFY(pages.place().bytes.isEmpty());
        pages.setPageText(QString());
        QCOMPARE(pages.placeText(), QStringLiteral("第三句"));
    }

    void aPlaceHandedOverOpensAtItsBytes_data()
    {
        QTest::addColumn<qint64>("at");
        QTest::addColumn<qint64>("start");
        QTest::newRow("the second occurrence") << qint64(17) << qint64(17);
        QTest::newRow("bytes where the text is not") << qint64(9) << qint64(1);
        QTest::newRow("no bytes: the first occurrence") << qint64(0) << qint64(1);
    }
    void aPlaceHandedOverOpensAtItsBytes()
    {
        QFETCH(qint64, at);
        QFETCH(qint64, start);
        TempNovel novel(kText);
        PageSession pages;
        makeSession(pages, novel);
        const ByteRange bytes = at ? ByteRange::Of(BytePos(at), 8) : ByteRange{};
        pages.openAt({novel.path(), bytes, QStringLiteral("第一句。")});
        QCOMPARE(pages.pageStart(), BytePos(start));
        QCOMPARE(pages.pageText(), QStringLiteral("第一句。"));
    }
};

TARROWIN_GUILESS_TEST_MAIN(tst_PageSession)
#include "tst_PageSession.moc"
