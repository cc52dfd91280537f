#include "TestRegistry.h"
#include "FindInTextFile.h"
#include "Gbk.h"
#include "TextCodec.h"
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Finding the first place of a text in a whole file: GBK, and the byte-order marks of the others.
class TestFindInTextFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void find_data();
    void find();
    void missingFile();
    void acrossChunkBoundaries();
    void byteOrderMarkIsNeverFound_data();
    void byteOrderMarkIsNeverFound();

private:
    QString fileWith(const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFindInTextFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestFindInTextFile::fileWith(const QByteArray &bytes)
{
    const QString path = m_dir->filePath(QStringLiteral("novel.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestFindInTextFile::find_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<qint64>("position");  // 0: not found
    // 第一回 CR LF 第二回 CR LF
    const QByteArray chapters("\xb5\xda\xd2\xbb\xbb\xd8\r\n\xb5\xda\xb6\xfe\xbb\xd8\r\n");
    QTest::newRow("match at the start") << QByteArray("abcabc") << "ab" << 1LL;
    QTest::newRow("second of two") << QByteArray("xabcabc") << "ca" << 4LL;
    QTest::newRow("chinese after ascii") << QByteArray("ab\xce\xf7\xd3\xce\xbc\xc7") << "游记" << 5LL;
    QTest::newRow("CR LF in the needle") << chapters << "\r\n第二" << 7LL;
    QTest::newRow("exact case") << QByteArray("ABC abc") << "abc" << 5LL;
    QTest::newRow("not found") << chapters << "第三" << 0LL;
    QTest::newRow("longer than the file") << QByteArray("ab") << "abc" << 0LL;
    QTest::newRow("empty needle") << QByteArray("ab") << "" << 1LL;
    QTest::newRow("empty needle, empty file") << QByteArray() << "" << 0LL;
    QTest::newRow("empty file") << QByteArray() << "a" << 0LL;
    QTest::newRow("after invalid bytes") << QByteArray("\x81 \xff x\xce\xf7") << "x西" << 5LL;
    QTest::newRow("lone lead byte at the end") << QByteArray("ab\xb0") << "b" + QString(QChar(0xFFFD)) << 2LL;
}

void TestFindInTextFile::find()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, needle);
    QFETCH(qint64, position);
    const auto found = FindInTextFile(fileWith(file), needle);
    QCOMPARE(found.has_value(), position > 0);
    if (found)
        QCOMPARE(found->value(), position);
}

void TestFindInTextFile::missingFile()
{
    QCOMPARE(FindInTextFile(m_dir->filePath("missing.txt"), "a"), std::nullopt);
    QCOMPARE(FindInTextFile(m_dir->filePath("missing.txt"), ""), std::nullopt);
    QCOMPARE(FindInTextFile(m_dir->path(), ""), std::nullopt);
}

// Needles placed over each chunk boundary, starting on every character near it, against the
// position found in the whole converted text. One ASCII byte first makes double-byte
// characters straddle the boundaries.
void TestFindInTextFile::acrossChunkBoundaries()
{
    QRandomGenerator random(11);
    QByteArray bytes("x");
    while (bytes.size() < 3 * kFindChunkBytes + 5000) {
        bytes += char(random.bounded(0xB0, 0xD7));
        bytes += char(random.bounded(0xA1, 0xFF));
        if (random.bounded(20) == 0)
            bytes += "\r\n";
    }
    const QString path = fileWith(bytes);
    const QString text = Gbk::toUnicode(bytes);
    int checked = 0;
    for (qint64 boundary = kFindChunkBytes; boundary < bytes.size(); boundary += kFindChunkBytes) {
        const QString before = Gbk::toUnicode(bytes.constData(), boundary);
        for (qsizetype start = before.size() - 8; start <= before.size() + 2; ++start) {
            const QString needle = text.mid(start, 6);
            const qsizetype first = text.indexOf(needle);
            const auto found = FindInTextFile(path, needle);
            QVERIFY(found.has_value());
            QCOMPARE(found->value(), 1 + Gbk::byteLength(text.left(first)));
            ++checked;
        }
    }
    QCOMPARE(checked, 33);
    QCOMPARE(FindInTextFile(path, text.right(4))->value(), 1 + Gbk::byteLength(text.chopped(4)));
    QCOMPARE(FindInTextFile(path, text.right(4) + "!"), std::nullopt);
}

// The mark is no text: what follows it is found just after it, and the mark's own character is
// found nowhere, by either search.
void TestFindInTextFile::byteOrderMarkIsNeverFound_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("UTF-8") << TextEncoding::Utf8 << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("UTF-16LE") << TextEncoding::Utf16Le << QByteArray("\xFF\xFE");
    QTest::newRow("UTF-16BE") << TextEncoding::Utf16Be << QByteArray("\xFE\xFF");
}

void TestFindInTextFile::byteOrderMarkIsNeverFound()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, mark);
    const QString text = QStringLiteral("第一回\r\n第二回\r\n");
    const Novel novel{fileWith(mark + TextCodec::Encode(encoding, text)), encoding};
    const QString markCharacter(QChar(0xFEFF));
    for (const auto search : {&FindInTextFile, &FindTextInTextFile}) {
        QCOMPARE(search(novel, QStringLiteral("第一回")), std::optional<BytePos>(BytePos(mark.size() + 1)));
        QCOMPARE(search(novel, QStringLiteral("第二回")),
                 std::optional<BytePos>(BytePos(mark.size() + 1 + TextCodec::ByteLength(encoding, text.left(5)))));
        QCOMPARE(search(novel, markCharacter + QStringLiteral("第一回")), std::nullopt);
        QCOMPARE(search(novel, markCharacter), std::nullopt);
    }
}

TARROWIN_APPLESS_TEST_MAIN(TestFindInTextFile)
#include "tst_findintextfile.moc"
