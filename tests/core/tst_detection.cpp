#include "EncodingDetection.h"
#include "TextCodec.h"
#include <QTemporaryDir>
#include <QFile>
#include <QTest>
#include <sys/stat.h>

// Finding a novel's encoding from its first bytes.
class TestDetection : public QObject
{
    Q_OBJECT

private slots:
    void detect_data();
    void detect();
    void onlyTheFirstMiBCounts();
    void byteOrderMarkBelongsToItsEncoding();
    void onlyRegularFilesAreRead();
};

namespace {

QByteArray inEncoding(TextEncoding encoding, const QString &text)
{
    return TextCodec::Encode(encoding, text);
}

const QString kChinese = QStringLiteral("第一回　灵根育孕源流出，心性修持大道生。\r\n");

}

void TestDetection::detect_data()
{
    QTest::addColumn<QByteArray>("sample");
    QTest::addColumn<TextEncoding>("encoding");
    using E = TextEncoding;
    const QByteArray utf8 = inEncoding(E::Utf8, kChinese.repeated(20));
    QTest::newRow("empty") << QByteArray() << E::Gbk;
    QTest::newRow("ASCII only") << QByteArray("Chapter 1\r\nThe stone monkey.\r\n") << E::Gbk;
    QTest::newRow("GBK") << inEncoding(E::Gbk, kChinese.repeated(20)) << E::Gbk;
    QTest::newRow("UTF-8") << utf8 << E::Utf8;
    QTest::newRow("UTF-8 mark") << "\xEF\xBB\xBF" + utf8 << E::Utf8;
    QTest::newRow("UTF-8 mark with nothing after it") << QByteArray("\xEF\xBB\xBF") << E::Utf8;
    QTest::newRow("UTF-8 mark before GBK bytes") << "\xEF\xBB\xBF" + inEncoding(E::Gbk, kChinese) << E::Utf8;
    QTest::newRow("UTF-16LE mark") << "\xFF\xFE" + inEncoding(E::Utf16Le, kChinese) << E::Utf16Le;
    QTest::newRow("UTF-16LE mark alone") << QByteArray("\xFF\xFE") << E::Utf16Le;
    QTest::newRow("UTF-16BE mark") << "\xFE\xFF" + inEncoding(E::Utf16Be, kChinese) << E::Utf16Be;
    QTest::newRow("UTF-16BE mark alone") << QByteArray("\xFE\xFF") << E::Utf16Be;
    QTest::newRow("UTF-16LE mark, sample cut inside a unit")
        << "\xFF\xFE" + inEncoding(E::Utf16Le, kChinese) + "\x2C" << E::Utf16Le;
    QTest::newRow("UTF-16LE without a mark reads as GBK") << inEncoding(E::Utf16Le, kChinese) << E::Gbk;
    QTest::newRow("one UTF-8 character among ASCII")
        << QByteArray("Chapter 1\r\n").repeated(50) + inEncoding(E::Utf8, QStringLiteral("·")) << E::Utf8;
    QTest::newRow("invalid UTF-8 late in the sample") << utf8 + "\xB5\xDA" + utf8 << E::Gbk;
    QTest::newRow("overlong UTF-8") << QByteArray("abc\xC0\xAF") << E::Gbk;
    QTest::newRow("sample cut inside a UTF-8 character") << utf8.chopped(1) << E::Utf8;
    QTest::newRow("sample cut after a UTF-8 lead byte") << utf8 + "\xE4" << E::Utf8;
    // ED A0 begins a surrogate, which UTF-8 never holds: no valid character is cut there.
    QTest::newRow("sample cut inside a sequence no character begins with") << utf8 + "\xED\xA0" << E::Gbk;
    QTest::newRow("GB18030 four-byte text")
        << inEncoding(E::Gb18030, kChinese + QStringLiteral("𠀀€·") + kChinese) << E::Gb18030;
    QTest::newRow("GB18030 without four-byte text reads as GBK")
        << inEncoding(E::Gb18030, kChinese) << E::Gbk;
    QTest::newRow("Big5 reads as GBK") << inEncoding(E::Big5, QStringLiteral("西遊記第一回")) << E::Gbk;
}

void TestDetection::detect()
{
    QFETCH(QByteArray, sample);
    QFETCH(TextEncoding, encoding);
    QCOMPARE(EncodingName(DetectEncoding(sample)), EncodingName(encoding));
}

void TestDetection::onlyTheFirstMiBCounts()
{
    QTemporaryDir dir;
    const QByteArray utf8 = inEncoding(TextEncoding::Utf8, kChinese);
    QByteArray bytes;
    while (bytes.size() < kDetectionSampleBytes)
        bytes += utf8;
    const QString late = dir.filePath(QStringLiteral("late.txt"));
    const QString early = dir.filePath(QStringLiteral("early.txt"));
    const QString last = dir.filePath(QStringLiteral("last.txt"));
    const QByteArray lastInvalid = utf8 + QByteArray(kDetectionSampleBytes - 1 - utf8.size(), 'a') + "\xFF" + utf8;
    for (const auto &[path, content] : {std::pair{late, bytes + "\xFF"}, std::pair{early, "\xFF" + bytes},
                                        std::pair{last, lastInvalid}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QCOMPARE(DetectFileEncoding(late), TextEncoding::Utf8);
    QCOMPARE(DetectFileEncoding(early), TextEncoding::Gbk);
    QCOMPARE(DetectFileEncoding(last), TextEncoding::Gbk); // the sample's very last byte
    QCOMPARE(DetectFileEncoding(dir.filePath(QStringLiteral("missing.txt"))), TextEncoding::Gbk);
}

void TestDetection::byteOrderMarkBelongsToItsEncoding()
{
    QCOMPARE(ByteOrderMarkLength(TextEncoding::Utf8, "\xEF\xBB\xBFx"), 3);
    QCOMPARE(ByteOrderMarkLength(TextEncoding::Utf16Le, "\xFF\xFE"), 2);
    QCOMPARE(ByteOrderMarkLength(TextEncoding::Utf16Be, "\xFF\xFE"), 0);
    QCOMPARE(ByteOrderMarkLength(TextEncoding::Gbk, "\xEF\xBB\xBF"), 0);
}

// A pipe or a folder named as a novel is never opened: reading a pipe with no writer would block.
void TestDetection::onlyRegularFilesAreRead()
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.txt"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QCOMPARE(DetectFileEncoding(pipe), TextEncoding::Gbk);
    QCOMPARE(DetectFileEncoding(dir.path()), TextEncoding::Gbk);
}

QTEST_APPLESS_MAIN(TestDetection)
#include "tst_detection.moc"
