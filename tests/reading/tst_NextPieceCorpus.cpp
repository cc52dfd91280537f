#include "TestRegistry.h"
#include "Gbk.h"
#include "PieceReader.h"
#include "ShownText.h"
#include "TextRangeReader.h"
#include "../support/ReplacementCharacters.h"
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Reading a novel piece by piece, at random piece lengths, gives back exactly its bytes; so does
// reading it as a range, in pieces cut at line ends.
class TestNextPieceCorpus : public QObject
{
    Q_OBJECT
private slots:
    void piecesJoinToTheFile_data();
    void piecesJoinToTheFile();
    void piecesJoinAroundReplacementCharacters_data() { ReplacementNovelRows(); }
    void piecesJoinAroundReplacementCharacters();
};

void TestNextPieceCorpus::piecesJoinToTheFile_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(QStringLiteral(TARROWIN_CORPUS_DIR));
    const QStringList novels = corpus.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (novels.isEmpty())
        QSKIP("the corpus folder is not there");
    for (const QString &name : novels)
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
}

void TestNextPieceCorpus::piecesJoinToTheFile()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);

    QByteArray joined;
    joined.reserve(bytes.size());
    BytePos position(1);
    while (position.value() <= bytes.size()) {
        const BytePos start = position;
        const qint64 length = random.bounded(20, 2001);
        const QString piece = CutAtNul(NextPiece(path, position, length));
        QVERIFY2(position > start, qPrintable(QStringLiteral("stuck at %1 (seed %2)").arg(start.value()).arg(seed)));
        joined += Gbk::fromUnicode(piece);
        QCOMPARE(joined.size(), std::min<qint64>(position.value() - 1, bytes.size()));
    }
    QVERIFY2(joined == bytes, qPrintable(QStringLiteral("seed %1").arg(seed)));
}

// A piece stands for the bytes from its position to the next piece's: a U+FFFD the file holds
// counts all its bytes, one that stands for a byte that does not convert counts one.
void TestNextPieceCorpus::piecesJoinAroundReplacementCharacters()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, mark);
    QTemporaryDir dir;
    const Novel novel{dir.filePath(QStringLiteral("novel.txt")), encoding};
    const QByteArray bytes = mark + ReplacementNovel(encoding, 30000, 11);
    QFile file(novel.path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const qint64 size = bytes.size();
    // The text of the file's bytes [from, to) (1-based, `to` past the end counts to the end).
    const auto textOf = [&](BytePos from, BytePos to) {
        const qint64 first = std::max<qint64>(from.value() - 1, mark.size());
        return TextCodec::Decode(encoding, bytes.mid(first, std::min(to.value() - 1, size) - first));
    };
    const QString whole = textOf(BytePos(1), BytePos(size + 1));
    for (quint32 seed = 1; seed <= 3; ++seed) {
        QRandomGenerator random(seed);
        QString joined;
        BytePos position(1);
        while (position.value() <= size) {
            const BytePos start = position;
            const QString piece = CutAtNul(NextPiece(novel, position, random.bounded(20, 2001)));
            QVERIFY(position > start);
            QCOMPARE(piece, textOf(start, position));
            joined += piece;
        }
        QVERIFY(joined == whole);
    }
    for (const qint64 pieceBytes : {7, 100, 1500}) {
        TextRangeReader range(novel, BytePos(1), BytePos(size + 1), pieceBytes);
        QString joined;
        for (BytePos start = range.position(); const auto piece = range.next(); start = range.position()) {
            QCOMPARE(*piece, textOf(start, range.position()));
            joined += *piece;
        }
        QVERIFY(joined == whole);
    }
}

TARROWIN_APPLESS_TEST_MAIN(TestNextPieceCorpus)
#include "tst_NextPieceCorpus.moc"
