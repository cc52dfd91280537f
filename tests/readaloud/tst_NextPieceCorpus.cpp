#include "Gbk.h"
#include "PieceReader.h"
#include "ShownText.h"
#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

// Reading a novel piece by piece, at random piece lengths, gives back exactly its bytes.
class TestNextPieceCorpus : public QObject
{
    Q_OBJECT
private slots:
    void piecesJoinToTheFile_data();
    void piecesJoinToTheFile();
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

QTEST_APPLESS_MAIN(TestNextPieceCorpus)
#include "tst_NextPieceCorpus.moc"
