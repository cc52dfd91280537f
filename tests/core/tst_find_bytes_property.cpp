#include "TestRegistry.h"
#include "FindInTextFile.h"
#include "TextCodec.h"
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// The find searches the needle's bytes and takes a match only where it starts a character; its
// answer is always exactly that of the search in the file's text: on the novels, and on random
// bytes with needles that occur first out of step with the characters.
class TestFindBytesProperty : public QObject
{
    Q_OBJECT

private slots:
    void sameAsTextSearchOnNovels_data();
    void sameAsTextSearchOnNovels();
    void sameAsTextSearchOnRandomBytes_data();
    void sameAsTextSearchOnRandomBytes();
};

namespace {

// Needles cut from the decoded text at random places, and from the bytes at random offsets
// (so that some begin on the second byte of a character, or hold bytes that do not convert).
QStringList NeedlesOf(const QByteArray &bytes, TextEncoding encoding, QRandomGenerator &random, int count)
{
    const QString text = TextCodec::Decode(encoding, bytes);
    QStringList needles;
    for (int i = 0; i < count; ++i) {
        const int length = random.bounded(1, 40);
        if (i % 2 == 0 && text.size() > length) {
            needles << text.mid(random.bounded(int(text.size() - length)), length);
        } else if (bytes.size() > length) {
            const QByteArray slice = bytes.mid(random.bounded(int(bytes.size() - length)), length);
            needles << TextCodec::Decode(encoding, slice);
        }
    }
    needles << QStringLiteral("此句不在文中") << QStringLiteral("\r\n");
    return needles;
}

void CompareBoth(const Novel &novel, const QStringList &needles)
{
    for (const QString &needle : needles) {
        const std::optional<BytePos> found = FindInTextFile(novel, needle);
        const std::optional<BytePos> expected = FindTextInTextFile(novel, needle);
        QVERIFY2(found == expected,
                 qPrintable(QStringLiteral("needle %1: %2 instead of %3")
                                .arg(QString::fromLatin1(TextCodec::Encode(novel.encoding, needle).toHex()))
                                .arg(found ? found->value() : 0)
                                .arg(expected ? expected->value() : 0)));
    }
}

// Random bytes: mostly double-byte lead and trail bytes, some ASCII and line ends, a few bytes
// that form no character.
QByteArray RandomBytes(QRandomGenerator &random, qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes) {
        const int kind = random.bounded(10);
        b = char(kind < 6 ? random.bounded(0x81, 0xFF) : kind < 8 ? random.bounded(0x40, 0x80)
                 : kind < 9 ? random.bounded(0x20, 0x40) : random.bounded(0, 0x20));
    }
    return bytes;
}

}

void TestFindBytesProperty::sameAsTextSearchOnNovels_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"xiyouji.txt", "sanguoyanyi_crlf.txt", "xiyouji_trad.txt", "gpl3_english.txt"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestFindBytesProperty::sameAsTextSearchOnNovels()
{
    QFETCH(QString, name);
    const Novel novel{QStringLiteral(TARROWIN_CORPUS_DIR "/") + name, TextEncoding::Gbk};
    QFile file(novel.path);
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("the novels are not here");
    QRandomGenerator random(qHash(name));
    CompareBoth(novel, NeedlesOf(file.readAll(), novel.encoding, random, 24));
}

void TestFindBytesProperty::sameAsTextSearchOnRandomBytes_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    for (const TextEncoding encoding : kAllEncodings)
        QTest::newRow(qPrintable(EncodingName(encoding))) << encoding;
}

void TestFindBytesProperty::sameAsTextSearchOnRandomBytes()
{
    QFETCH(TextEncoding, encoding);
    QTemporaryDir dir;
    QRandomGenerator random(17 + int(encoding));
    for (int round = 0; round < 40; ++round) {
        const QByteArray bytes = RandomBytes(random, random.bounded(1, 3000));
        const Novel novel{dir.filePath(QStringLiteral("random.txt")), encoding};
        QFile file(novel.path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        CompareBoth(novel, NeedlesOf(bytes, encoding, random, 30));
    }
}

TARROWIN_GUILESS_TEST_MAIN(TestFindBytesProperty)
#include "tst_find_bytes_property.moc"
