#include "TestRegistry.h"
#include "CharacterStart.h"
#include "TextCodec.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <set>

namespace {

// The 1-based byte positions at which the characters of `text` begin in the encoding, after a
// mark of `mark` bytes, plus the position just after the end.
std::set<qint64> CharacterStarts(TextEncoding encoding, const QString &text, qint64 mark)
{
    std::set<qint64> starts;
    qint64 pos = 1 + mark;
    for (qsizetype i = 0; i < text.size(); ++i) {
        starts.insert(pos);
        const qsizetype units = text.at(i).isHighSurrogate() ? 2 : 1;
        pos += TextCodec::ByteLength(encoding, text.mid(i, units));
        i += units - 1;
    }
    starts.insert(pos);
    return starts;
}

}

// Whether a position of a novel's file starts a character, judged from the bytes before it.
class TestCharacterStart : public QObject
{
    Q_OBJECT
private slots:
    void everyPositionOfAFile_data()
    {
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QByteArray>("mark");
        QTest::addColumn<QString>("text");
        const QString mixed = QStringLiteral("第一回\n灵根𠀀育孕 abc 源流出，\r\n心性修持大道生。xyz\n");
        for (TextEncoding encoding : {TextEncoding::Gb18030, TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be})
            QTest::newRow(qPrintable(EncodingName(encoding))) << encoding << QByteArray() << mixed;
        QTest::newRow("UTF-8 with a mark") << TextEncoding::Utf8 << QByteArray("\xEF\xBB\xBF") << mixed;
        QTest::newRow("UTF-16LE with a mark") << TextEncoding::Utf16Le << QByteArray("\xFF\xFE") << mixed;
        QTest::newRow("UTF-8 far from the start")
            << TextEncoding::Utf8 << QByteArray() << QString(3000, QChar(0x4E00)) + mixed;
        QTest::newRow("mixed") << TextEncoding::Gbk << QByteArray() << QStringLiteral("第一回\n灵根育孕 abc 源流出，\r\n心性修持大道生。xyz\n");
        QTest::newRow("trail bytes in the ASCII range") << TextEncoding::Gbk << QByteArray() << QStringLiteral("丂丄丅a丆丏\n丒丗");
        // Longer than the first look-back span without a single byte below 0x40.
        QTest::newRow("long run without anchors") << TextEncoding::Gbk << QByteArray() << QStringLiteral("\n") + QString(5000, QChar(0x597D)) + QStringLiteral("好")
                                                  + QString(3001, QChar(0x4E00));
    }
    void everyPositionOfAFile()
    {
        QFETCH(TextEncoding, encoding);
        QFETCH(QByteArray, mark);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const Novel novel{dir.filePath(QStringLiteral("novel.txt")), encoding};
        const QByteArray bytes = mark + TextCodec::Encode(encoding, text);
        QFile file(novel.path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const std::set<qint64> starts = CharacterStarts(encoding, text, mark.size());
        const qint64 size = bytes.size();
        const qint64 step = size > 1000 ? 997 : 1;
        for (qint64 pos = 2; pos <= size; pos += step) {
            for (const qint64 at : {pos, pos + 1}) {
                const qint64 skip = BytesToCharacterStart(novel, BytePos(at));
                QCOMPARE(skip == 0, starts.count(at) == 1);
                QVERIFY(starts.count(at + skip) == 1);
            }
        }
    }

    void missingFileCountsAsAStart()
    {
        QVERIFY(IsCharacterStart(Novel{QStringLiteral("/nonexistent/novel.txt"), TextEncoding::Utf8}, BytePos(7)));
    }
};

TARROWIN_APPLESS_TEST_MAIN(TestCharacterStart)
#include "tst_characterstart.moc"
