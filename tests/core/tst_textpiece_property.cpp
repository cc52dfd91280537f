#include "TestRegistry.h"
#include "Gbk.h"
#include "mdlFileBinText.h"
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Reading a file piece after piece from position 1, each next position being the adjusted
// position plus the length, gives back every byte of the file exactly once.
class TestTextPieceProperty : public QObject
{
    Q_OBJECT

private slots:
    void piecesRebuildEachNovel_data();
    void piecesRebuildEachNovel();
    void piecesRebuildRandomFiles();
};

namespace {

QByteArray randomCharacter(QRandomGenerator &random)
{
    for (;;) {
        const char lead = char(random.bounded(1, 256));
        QByteArray bytes(1, lead);
        if (uchar(lead) >= 0x81 && uchar(lead) <= 0xFE)
            bytes += char(random.bounded(0x40, 0xFF));
        const QString text = Gbk::toUnicode(bytes);
        if (!text.contains(QChar(0xFFFD)) && !text.contains(QChar(0)) && Gbk::fromUnicode(text) == bytes)
            return bytes;
    }
}

// Random bytes that form whole GBK characters: ASCII, control bytes and every kind of
// double-byte character, with no zero byte (a zero byte ends a text box's text).
QByteArray randomGbkBytes(quint32 seed, qsizetype size)
{
    QRandomGenerator random(seed);
    QByteArray bytes;
    bytes.reserve(size + 1);
    while (bytes.size() < size)
        bytes += randomCharacter(random);
    return bytes;
}

QByteArray readPieceByPiece(const QString &path, quint32 seed)
{
    QRandomGenerator random(seed);
    const qint64 fileSize = QFileInfo(path).size();
    QByteArray rebuilt;
    BytePos position(1);
    while (position.value() <= fileSize) {
        const qint64 length = random.bounded(2, 2001);
        const auto text = mdlFileBinText::ReadTextPiece(path, position, length);
        if (!text)
            return "<read failed>";
        const qsizetype end = text->indexOf(QChar(0));
        rebuilt += Gbk::fromUnicode(end < 0 ? *text : text->left(end));
        position += length;
    }
    return rebuilt;
}

}

void TestTextPieceProperty::piecesRebuildEachNovel_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(QStringLiteral(TARROWIN_CORPUS_DIR));
    const QStringList novels = corpus.entryList({"*.txt"}, QDir::Files, QDir::Name);
    if (novels.isEmpty())
        QSKIP("no novels in " TARROWIN_CORPUS_DIR "; the corpus folder lies beside the project");
    for (const QString &novel : novels)
        QTest::newRow(qPrintable(novel)) << corpus.filePath(novel);
}

void TestTextPieceProperty::piecesRebuildEachNovel()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (quint32 seed = 1; seed <= 3; ++seed)
        QCOMPARE(readPieceByPiece(path, seed), bytes);
}

void TestTextPieceProperty::piecesRebuildRandomFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (quint32 seed = 1; seed <= 30; ++seed) {
        const QByteArray bytes = randomGbkBytes(seed, 2000 + seed * 997);
        const QString path = dir.filePath(QStringLiteral("random%1.txt").arg(seed));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
        file.close();
        QCOMPARE(readPieceByPiece(path, seed), bytes);
    }
}

TARROWIN_APPLESS_TEST_MAIN(TestTextPieceProperty)
#include "tst_textpiece_property.moc"
