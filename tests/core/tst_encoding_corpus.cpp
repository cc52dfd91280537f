#include "TestRegistry.h"
#include "TextCodec.h"
#include "mdlFileBinText.h"
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Every novel of the corpus, converted to each encoding: read from position 1 to the end as
// pieces of random lengths, the pieces rejoin to the file's bytes exactly.
class TestEncodingCorpus : public QObject
{
    Q_OBJECT

private slots:
    void piecesRejoinToTheFile_data();
    void piecesRejoinToTheFile();
};

namespace {

QByteArray ReadPieceByPiece(const Novel &novel, qint64 fileSize, qint64 mark, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray rebuilt;
    BytePos position(1);
    while (position.value() <= fileSize) {
        const qint64 length = random.bounded(20, 2001);
        const auto text = mdlFileBinText::ReadTextPiece(novel, position, length);
        if (!text)
            return "<read failed>";
        const qsizetype end = text->indexOf(QChar(0));
        rebuilt += TextCodec::Encode(novel.encoding, end < 0 ? *text : text->left(end));
        position += length;
    }
    return rebuilt.prepend(mark, '?');
}

}

void TestEncodingCorpus::piecesRejoinToTheFile_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("mark");
    const QDir corpus(QStringLiteral(TARROWIN_CORPUS_DIR));
    const QStringList novels = corpus.entryList({"*.txt"}, QDir::Files, QDir::Name);
    if (novels.isEmpty())
        QSKIP("no novels in " TARROWIN_CORPUS_DIR "; the corpus folder lies beside the project");
    for (const QString &novel : novels) {
        for (TextEncoding encoding : kAllEncodings) {
            QTest::newRow(qPrintable(novel + " " + EncodingName(encoding)))
                << corpus.filePath(novel) << encoding << QByteArray();
        }
        QTest::newRow(qPrintable(novel + " UTF-8 with a mark"))
            << corpus.filePath(novel) << TextEncoding::Utf8 << QByteArray("\xEF\xBB\xBF");
        QTest::newRow(qPrintable(novel + " UTF-16LE with a mark"))
            << corpus.filePath(novel) << TextEncoding::Utf16Le << QByteArray("\xFF\xFE");
        QTest::newRow(qPrintable(novel + " UTF-16BE with a mark"))
            << corpus.filePath(novel) << TextEncoding::Utf16Be << QByteArray("\xFE\xFF");
    }
}

void TestEncodingCorpus::piecesRejoinToTheFile()
{
    QFETCH(QString, source);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, mark);
    QFile in(source);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QString text = TextCodec::Decode(TextEncoding::Gbk, in.readAll());
    // Only what the encoding holds: Big5 has no simplified characters and gives "?" for them.
    const QByteArray bytes = mark + TextCodec::Encode(encoding, text);
    QTemporaryDir dir;
    const Novel novel{dir.filePath(QStringLiteral("novel.txt")), encoding};
    QFile out(novel.path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();
    const QByteArray rebuilt = ReadPieceByPiece(novel, bytes.size(), mark.size(), 7);
    QCOMPARE(rebuilt.size(), bytes.size());
    QVERIFY(rebuilt.mid(mark.size()) == bytes.mid(mark.size()));
}

TARROWIN_APPLESS_TEST_MAIN(TestEncodingCorpus)
#include "tst_encoding_corpus.moc"
