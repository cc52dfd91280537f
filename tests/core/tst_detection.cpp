#include "TestRegistry.h"
#include "EncodingDetection.h"
#include "TextCodec.h"
#include <QTemporaryDir>
#include <algorithm>
#include <QFile>
#include <QDir>
#include "NovelFileCheck.h"
#include "NovelEncoding.h"
#include "ProgramFolder.h"
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
    void novelsInEveryEncoding_data();
    void novelsInEveryEncoding();
    void utf16WithoutMarkIsText();
    void givenBeforeChosenBeforeFound();
    void aChoiceIsKeptForAnyName_data();
    void aChoiceIsKeptForAnyName();
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
    QTest::newRow("UTF-16LE without a mark") << inEncoding(E::Utf16Le, kChinese) << E::Utf16Le;
    QTest::newRow("UTF-16BE without a mark") << inEncoding(E::Utf16Be, kChinese) << E::Utf16Be;
    QTest::newRow("UTF-16LE without a mark or line breaks")
        << inEncoding(E::Utf16Le, QStringLiteral("孙悟空听说，心中大喜，便问道：“师父，此去多远？”")) << E::Utf16Le;
    QTest::newRow("UTF-16BE without a mark, sample cut inside a unit")
        << inEncoding(E::Utf16Be, kChinese.repeated(3)).chopped(1) << E::Utf16Be;
    QTest::newRow("English prose in UTF-16LE without a mark")
        << inEncoding(E::Utf16Le, QStringLiteral("Chapter 1\r\nThe stone monkey.\r\n")) << E::Utf16Le;
    QTest::newRow("English prose without line breaks is no UTF-16")
        << QByteArray("the stone monkey was born of a rock on the mountain of flowers and fruit") << E::Gbk;
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
    QTest::newRow("Big5") << inEncoding(E::Big5, QStringLiteral("西遊記第一回　靈根育孕源流出，心性修持大道生。")) << E::Big5;
    QTest::newRow("traditional characters in GBK")
        << inEncoding(E::Gbk, QStringLiteral("西遊記第一回　靈根育孕源流出，心性修持大道生。")) << E::Gbk;
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

// Each corpus novel (GBK, simplified and traditional characters) copied into every encoding is
// found in it, from the first MiB as a file gives it and from a short novel's few KiB alike.
void TestDetection::novelsInEveryEncoding_data()
{
    QTest::addColumn<QString>("novel");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<qsizetype>("sampleBytes");
    const QDir corpus(QStringLiteral(TARROWIN_CORPUS_DIR));
    const QStringList novels = corpus.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (novels.isEmpty())
        QSKIP("no novels in " TARROWIN_CORPUS_DIR "; the corpus folder lies beside the project");
    for (const QString &name : novels) {
        for (const TextEncoding encoding : kAllEncodings) {
            for (const qsizetype sampleBytes : {qsizetype(kDetectionSampleBytes), qsizetype(4096)}) {
                QTest::addRow("%s %s %lld", qPrintable(name), qPrintable(EncodingName(encoding)),
                              qlonglong(sampleBytes))
                    << corpus.filePath(name) << encoding << sampleBytes;
            }
        }
    }
}

void TestDetection::novelsInEveryEncoding()
{
    QFETCH(QString, novel);
    QFETCH(TextEncoding, encoding);
    QFETCH(qsizetype, sampleBytes);
    QFile file(novel);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Whole characters, as many as the sample holds in every encoding.
    const QString text = TextCodec::Decode(TextEncoding::Gbk, file.read(kDetectionSampleBytes)).left(sampleBytes / 4);
    const QByteArray copy = inEncoding(encoding, text);
    const QByteArray gbk = inEncoding(TextEncoding::Gbk, text);
    const bool ascii = std::all_of(gbk.cbegin(), gbk.cend(), [](char c) { return uchar(c) < 0x80; })
        && CodeUnitSize(encoding) == 1;
    // A novel of ASCII alone reads the same in every 8-bit encoding, which are taken for GBK.
    // A GB18030 copy without four-byte characters is GBK bytes throughout.
    const TextEncoding expected = ascii || (encoding == TextEncoding::Gb18030 && copy == gbk) ? TextEncoding::Gbk : encoding;
    QCOMPARE(EncodingName(DetectEncoding(copy)), EncodingName(expected));
}

// A UTF-16 novel without a byte-order mark is opened as text, though half its bytes may be zero;
// binary data with as many zero bytes is not.
void TestDetection::utf16WithoutMarkIsText()
{
    const QString text = kChinese.repeated(40);
    QVERIFY(LooksLikeText(inEncoding(TextEncoding::Utf16Le, text)));
    QVERIFY(LooksLikeText(inEncoding(TextEncoding::Utf16Be, text)));
    QByteArray binary;
    for (int i = 0; i < 2000; ++i)
        binary += char(i % 7) + QByteArray(1, '\0');
    QVERIFY(!LooksLikeText(binary));
}

// The encoding a command reads a novel in: the one it was given, else the window's choice for the
// novel (by its bare name inside the program folder, by its path outside), else its bytes'.
void TestDetection::givenBeforeChosenBeforeFound()
{
    QTemporaryDir programFolder;
    QTemporaryDir elsewhere;
    SetProgramFolder(programFolder.path());
    const QString inside = programFolder.filePath(QStringLiteral("西游记.txt"));
    const QString outside = elsewhere.filePath(QStringLiteral("西游记.txt"));
    for (const QString &path : {inside, outside}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(inEncoding(TextEncoding::Utf8, kChinese.repeated(5)));
    }
    QCOMPARE(NovelEncodingFor(inside), TextEncoding::Utf8);
    QVERIFY(KeepChosenEncoding(QStringLiteral("西游记.txt"), TextEncoding::Gb18030));
    QVERIFY(KeepChosenEncoding(outside, TextEncoding::Big5));
    QCOMPARE(NovelEncodingFor(inside), TextEncoding::Gb18030);
    QCOMPARE(NovelEncodingFor(outside), TextEncoding::Big5);
    QCOMPARE(NovelEncodingFor(inside, TextEncoding::Utf16Be), TextEncoding::Utf16Be);
    QVERIFY(KeepChosenEncoding(outside, std::nullopt));
    QCOMPARE(NovelEncodingFor(outside), TextEncoding::Utf8);
    SetProgramFolder(QString());
}

// Names no key line holds as they are keep their choice, apart from names that look alike.
void TestDetection::aChoiceIsKeptForAnyName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lookalike");
    QTest::newRow("a question mark") << "what?.txt" << "what.txt";
    QTest::newRow("Korean") << "한국어.txt" << "???.txt";
    QTest::newRow("an emoji") << "😀.txt" << "?.txt";
    QTest::newRow("a section's bracket first") << "[a].txt" << "a].txt";
    QTest::newRow("a comment's semicolon first") << ";a.txt" << "a.txt";
    QTest::newRow("an equals sign") << "a=b.txt" << "a";
    QTest::newRow("a blank first") << " a.txt" << "a.txt";
    QTest::newRow("a plain name") << "西游记.txt" << "西游记";
}

void TestDetection::aChoiceIsKeptForAnyName()
{
    QFETCH(QString, name);
    QFETCH(QString, lookalike);
    QTemporaryDir programFolder;
    SetProgramFolder(programFolder.path());
    QVERIFY(KeepChosenEncoding(name, TextEncoding::Big5));
    QVERIFY(KeepChosenEncoding(QStringLiteral("other.txt"), TextEncoding::Utf8));
    QCOMPARE(ChosenEncoding(name), std::optional<TextEncoding>(TextEncoding::Big5));
    QCOMPARE(ChosenEncoding(lookalike), std::nullopt);
    QCOMPARE(ChosenEncoding(QStringLiteral("other.txt")), std::optional<TextEncoding>(TextEncoding::Utf8));
    SetProgramFolder(QString());
}

TARROWIN_APPLESS_TEST_MAIN(TestDetection)
#include "tst_detection.moc"
