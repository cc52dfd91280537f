#include "TestRegistry.h"
#include "Gbk.h"
#include "ListeningSpeed.h"
#include "ProgramFolder.h"
#include "Shelf.h"
#include "ShelfModel.h"
#include "TextCodec.h"
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The shelf: what its file keeps across a restart, novels that go and come back, folders that
// bring novels, what a row shows, and the speed a voice is measured at.
class tst_Shelf : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QString &text = QStringLiteral("第一章 开始\n甲乙丙丁。\n第二章 后来\n戊己庚辛。\n"))
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(Gbk::fromUnicode(text));
        return path;
    }
    QString shelfFile() const { return m_dir.filePath(QStringLiteral("shelf.json")); }

private slots:
    void initTestCase() { SetProgramFolder(m_dir.path()); }
    void init() { QFile::remove(shelfFile()); }

    void keptAcrossARestart()
    {
        const QString novel = write(QStringLiteral("a.txt"));
        QDir().mkpath(m_dir.filePath(QStringLiteral("watched")));
        {
            Shelf shelf(shelfFile());
            QVERIFY(shelf.load());
            shelf.opened(novel);
            shelf.placeMoved(novel, BytePos(5));
            shelf.addFolder(m_dir.filePath(QStringLiteral("watched")));
            shelf.measured(QStringLiteral("voice"), 12.5);
        } // written as the shelf ends
        Shelf shelf(shelfFile());
        QVERIFY(shelf.load());
        QCOMPARE(shelf.entries().size(), 1);
        QCOMPARE(shelf.entries()[0].path, novel);
        QCOMPARE(shelf.entries()[0].place, std::optional<BytePos>(BytePos(5)));
        QVERIFY(shelf.entries()[0].lastRead.isValid());
        QCOMPARE(shelf.folders(), QStringList{m_dir.filePath(QStringLiteral("watched"))});
        QCOMPARE(shelf.bytesPerSecond(QStringLiteral("voice")), 12.5);
        QCOMPARE(shelf.bytesPerSecond(QStringLiteral("other")), ListeningSpeed::kDefaultBytesPerSecond);
    }

    void damagedFileIsNeverWrittenOver()
    {
        QFile file(shelfFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{ not a shelf");
        file.close();
        Shelf shelf(shelfFile());
        QVERIFY(!shelf.load());
        QSignalSpy failed(&shelf, &Shelf::saveFailed);
        shelf.opened(write(QStringLiteral("b.txt")));
        QVERIFY(!shelf.save());
        QCOMPARE(failed.size(), 0); // told once, by the load
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("{ not a shelf"));
    }

    void vanishedNovelIsShownSoAndFoundAgain()
    {
        const QString novel = write(QStringLiteral("gone/c.txt"));
        QDir().mkpath(m_dir.filePath(QStringLiteral("watched/deep")));
        Shelf shelf(shelfFile());
        shelf.load();
        shelf.opened(novel);
        shelf.placeMoved(novel, BytePos(3));
        QVERIFY(QFile::rename(novel, novel + QStringLiteral(".away")));
        shelf.rescan();
        QCOMPARE(shelf.entries().size(), 1);
        QVERIFY(!shelf.entries()[0].present);
        QVERIFY(QFile::rename(novel + QStringLiteral(".away"), novel));
        shelf.rescan();
        QVERIFY(shelf.entries()[0].present);
        // Moved into a watched folder: the same novel, its place kept.
        const QString moved = m_dir.filePath(QStringLiteral("watched/deep/c.txt"));
        QVERIFY(QFile::rename(novel, moved));
        shelf.addFolder(m_dir.filePath(QStringLiteral("watched")));
        QCOMPARE(shelf.entries().size(), 1);
        QCOMPARE(shelf.entries()[0].path, moved);
        QVERIFY(shelf.entries()[0].present);
        QCOMPARE(shelf.entries()[0].place, std::optional<BytePos>(BytePos(3)));
    }

    void novelNeverOpenedHereTakesItsPlaceFromItsFindFile()
    {
        const QString text = QStringLiteral("第一章 开始\n甲乙丙丁。\n第二章 后来\n戊己庚辛。\n");
        const QString novel = write(QStringLiteral("placed/e.txt"), text);
        QFile find(novel + QStringLiteral(".find"));
        QVERIFY(find.open(QIODevice::WriteOnly));
        find.write(Gbk::fromUnicode(QStringLiteral("第二章 后来")));
        find.close();
        Shelf shelf(shelfFile());
        shelf.load();
        shelf.addFolder(QFileInfo(novel).path());
        shelf.waitForDetails();
        QCOMPARE(shelf.entries().size(), 1);
        const qint64 second = Gbk::fromUnicode(text.left(text.indexOf(QStringLiteral("第二章")))).size() + 1;
        QCOMPARE(shelf.entries()[0].place, std::optional<BytePos>(BytePos(second)));
        QCOMPARE(shelf.entries()[0].chapter, QStringLiteral("第二章 后来"));
    }

    void watchedFolderBringsTextFilesButNotForgottenOnes()
    {
        const QString folder = m_dir.filePath(QStringLiteral("library"));
        const QString first = write(QStringLiteral("library/one.txt"));
        write(QStringLiteral("library/sub/two.TXT"));
        write(QStringLiteral("library/notes.md"));
        Shelf shelf(shelfFile());
        shelf.load();
        shelf.addFolder(folder);
        QCOMPARE(shelf.entries().size(), 2);
        shelf.forget(first);
        shelf.rescan();
        QCOMPARE(shelf.entries().size(), 1);
        QVERIFY(QFile::exists(first));
        write(QStringLiteral("library/sub/three.txt"));
        QTRY_COMPARE(shelf.entries().size(), 2); // the watcher saw it
    }

    // A row as the first listing shows it (the encoding found in the bytes, the chapters scanned,
    // in the background) and as a later one does from the kept table of contents alone.
    void rowShowsProgressChapterAndTimeLeft_data()
    {
        QTest::addColumn<TextEncoding>("encoding");
        for (const TextEncoding encoding : {TextEncoding::Gbk, TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Big5})
            QTest::newRow(qPrintable(EncodingName(encoding))) << encoding;
    }
    void rowShowsProgressChapterAndTimeLeft()
    {
        QFETCH(TextEncoding, encoding);
        const QString line = QStringLiteral("　　他走過山前的小路，看見河水向東流去，心裡想著明天的事。\n");
        const QString text = QStringLiteral("第一章 開始\n") + line.repeated(20) + QStringLiteral("第二章 後來\n") + line.repeated(20);
        const QString novel = m_dir.filePath(QStringLiteral("row-%1.txt").arg(EncodingName(encoding)));
        QFile file(novel);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const qint64 size = file.write(TextCodec::Encode(encoding, text));
        file.close();
        const qint64 second = TextCodec::Encode(encoding, text.left(text.indexOf(QStringLiteral("第二章")))).size() + 1;
        const QString share = QString::number(100.0 * (second - 1) / size, 'f', 1) + QLatin1Char('%');
        const QString pathsOnly = m_dir.filePath(QStringLiteral("paths.json"));
        QStringList first;
        {
            Shelf shelf(shelfFile());
            shelf.load();
            shelf.opened(novel);
            shelf.placeMoved(novel, BytePos(second));
            shelf.rescan();
            shelf.waitForDetails();
            shelf.measured(QStringLiteral("voice"), 1.0 / 60); // a byte a minute
            ShelfModel model(&shelf);
            model.setVoice(QStringLiteral("voice"));
            first = ShelfListing(model).split(QLatin1Char('\n')).at(1).split(QLatin1Char('\t'));
            QCOMPARE(first, (QStringList{novel.section(QLatin1Char('/'), -1).chopped(4), EncodingName(encoding),
                                         QStringLiteral("2"), share, QStringLiteral("第二章 後來"),
                                         shelf.entries()[0].lastRead.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                         ListeningTimeText((size - second + 1) * 60), QString(), novel}));
            ShelfData data;
            ShelfEntry entry;
            entry.path = novel;
            entry.place = BytePos(second);
            entry.lastRead = shelf.entries()[0].lastRead;
            data.novels << entry;
            data.speeds = {{QStringLiteral("voice"), 1.0 / 60}};
            QVERIFY(ShelfFile::Save(data, pathsOnly));
        }
        Shelf later(pathsOnly);
        QVERIFY(later.load());
        ShelfModel model(&later);
        model.setVoice(QStringLiteral("voice"));
        QCOMPARE(ShelfListing(model).split(QLatin1Char('\n')).at(1).split(QLatin1Char('\t')), first);
    }

    void speedIsTimedOverPiecesHeardWhole()
    {
        ListeningSpeed speed;
        QCOMPARE(speed.pieceBegan(100, 0), std::nullopt);
        QCOMPARE(speed.pieceBegan(60, 10'000), std::optional<double>(10.0)); // 100 bytes in 10 s
        speed.interrupted();
        QCOMPARE(speed.pieceBegan(80, 50'000), std::nullopt); // the paused piece is not timed
        QCOMPARE(speed.pieceBegan(10, 58'000), std::optional<double>(10.0));
        QCOMPARE(ListeningSpeed::Blend(std::nullopt, 9.0), 9.0);
        QCOMPARE(ListeningSpeed::Blend(10.0, 20.0), 12.0);
    }
};

TARROWIN_GUILESS_TEST_MAIN(tst_Shelf)
#include "tst_shelf.moc"
