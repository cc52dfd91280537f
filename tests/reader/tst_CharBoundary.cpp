#include "CharBoundary.h"
#include "Gbk.h"
#include "TempNovel.h"
#include <QtTest>
#include <set>

namespace {

// The 1-based byte positions at which the characters of `text` begin in its GBK form, plus
// the position just after the end.
std::set<qint64> CharacterStarts(const QString &text)
{
    std::set<qint64> starts;
    qint64 pos = 1;
    for (const QChar c : text) {
        starts.insert(pos);
        pos += Gbk::byteLength(QString(c));
    }
    starts.insert(pos);
    return starts;
}

}

class TestCharBoundary : public QObject
{
    Q_OBJECT
private slots:
    void endsOnBoundary_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("boundary");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("ASCII") << QByteArray("abc") << true;
        QTest::newRow("two whole characters") << QByteArray("\xBA\xC3\xC4\xE3") << true;
        QTest::newRow("ends on a lead byte") << QByteArray("\xBA\xC3\xC4") << false;
        QTest::newRow("trail byte in the ASCII range") << QByteArray("\x81\x40" "a") << true;
        QTest::newRow("lead byte before a line end") << QByteArray("\xBA\n") << true;
    }
    void endsOnBoundary()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, boundary);
        QCOMPARE(CharBoundary::EndsOnBoundary(bytes), boundary);
    }

    void anchorIsAfterTheLastByteBelow0x40()
    {
        QCOMPARE(CharBoundary::AfterLastAnchor(QByteArray("\xBA\xC3\n\xBA\xC3")), 3);
        QCOMPARE(CharBoundary::AfterLastAnchor(QByteArray("\xBA\x40\xC3")), -1);
    }

    void everyPositionOfAFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("mixed") << QStringLiteral("第一回\n灵根育孕 abc 源流出，\r\n心性修持大道生。xyz\n");
        QTest::newRow("trail bytes in the ASCII range") << QStringLiteral("丂丄丅a丆丏\n丒丗");
        // Longer than the first look-back span without a single byte below 0x40.
        QTest::newRow("long run without anchors") << QStringLiteral("\n") + QString(5000, QChar(0x597D)) + QStringLiteral("好")
                                                  + QString(3001, QChar(0x4E00));
    }
    void everyPositionOfAFile()
    {
        QFETCH(QString, text);
        TempNovel novel(text);
        const std::set<qint64> starts = CharacterStarts(text);
        const qint64 size = Gbk::fromUnicode(text).size();
        const qint64 step = size > 1000 ? 997 : 1;
        for (qint64 pos = 1; pos <= size; pos += step) {
            QCOMPARE(CharBoundary::IsCharacterStart(novel.path(), BytePos(pos)), starts.count(pos) == 1);
            QCOMPARE(CharBoundary::IsCharacterStart(novel.path(), BytePos(pos + 1)), starts.count(pos + 1) == 1);
        }
    }

    void missingFileCountsAsAStart()
    {
        QVERIFY(CharBoundary::IsCharacterStart(QStringLiteral("/nonexistent/novel.txt"), BytePos(7)));
    }
};

QTEST_APPLESS_MAIN(TestCharBoundary)
#include "tst_CharBoundary.moc"
