#include "TestRegistry.h"
#include "FindInTextFile.h"
#include "ReadAloudFixture.h"
#include "PieceReader.h"
#include "mdlFileBinText.h"
#include <QLabel>
#include <QTest>

// A sparse text file past 4 GB with text beyond byte 2^31 and beyond byte 2^32: pieces read
// there, the position after them, the search and the window's percentage are exact.
class TestHugeFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void piecesPastTheBoundaries_data();
    void piecesPastTheBoundaries();
    void searchFindsTheExactPosition_data() { piecesPastTheBoundaries_data(); }
    void searchFindsTheExactPosition();
    void windowSearchesAndReadsThere();

private:
    QTemporaryDir m_folder;
    QString m_path;
};

namespace {
const QString kName = QStringLiteral("huge.txt");
constexpr qint64 k2p31 = qint64(1) << 31;
constexpr qint64 k2p32 = qint64(1) << 32;
constexpr qint64 kFileSize = k2p32 + (qint64(1) << 20);
// Text placed at these 0-based offsets; the rest of the file is zero bytes (a sparse hole).
constexpr qint64 kBefore31 = k2p31 - 7;      // runs across byte 2^31
constexpr qint64 kPast31 = k2p31 + 1001;
constexpr qint64 kPast32 = k2p32 + 3;

const QString kAcross = QStringLiteral("跨过二的三十一次方，");
const QString kFirst = QStringLiteral("第一处：二的三十一次方之后。其余");
const QString kSecond = QStringLiteral("第二处！二的三十二次方之后，还有");
}

void TestHugeFile::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_path = m_folder.filePath(kName);
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (!file.resize(kFileSize))
        QSKIP("This file system cannot hold a sparse file past 4 GB");
    for (const auto &[offset, text] : {std::pair{kBefore31, kAcross}, std::pair{kPast31, kFirst},
                                       std::pair{kPast32, kSecond}}) {
        QVERIFY(file.seek(offset));
        const QByteArray bytes = Gbk::fromUnicode(text);
        QCOMPARE(file.write(bytes), bytes.size());
    }
}

void TestHugeFile::piecesPastTheBoundaries_data()
{
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("piece");   // what NextPiece gives at the text's first byte
    QTest::newRow("across 2^31") << kBefore31 << kAcross << kAcross;
    QTest::newRow("past 2^31") << kPast31 << kFirst << QStringLiteral("第一处：二的三十一次方之后。");
    QTest::newRow("past 2^32") << kPast32 << kSecond << QStringLiteral("第二处！二的三十二次方之后，");
}

void TestHugeFile::piecesPastTheBoundaries()
{
    QFETCH(qint64, offset);
    QFETCH(QString, text);
    QFETCH(QString, piece);
    const qint64 length = Gbk::byteLength(text);
    BytePos position(offset + 1);
    QCOMPARE(mdlFileBinText::ReadTextPiece(m_path, position, length), std::optional<QString>(text));
    QCOMPARE(position.value(), offset + 1);

    position = BytePos(offset + 1);
    QCOMPARE(NextPiece(m_path, position, length), piece);
    QCOMPARE(position.value(), offset + 1 + Gbk::byteLength(piece));
}

void TestHugeFile::searchFindsTheExactPosition()
{
    QFETCH(qint64, offset);
    QFETCH(QString, text);
    QCOMPARE(FindInTextFile(m_path, text), std::optional<BytePos>(BytePos(offset + 1)));
}

void TestHugeFile::windowSearchesAndReadsThere()
{
    ReadAloudFixture f;
    QVERIFY(QFile::link(m_path, f.path(kName)));
    frmTTS *w = f.load();
    f.choose(kName);
    w->txtFenChangDu->setText(QStringLiteral("40"));
    w->txtChaZhao->setText(QStringLiteral("第二处！"));
    w->cmdChaZhao_Click();
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第二处！二的三十二次方之后，"));
    const qint64 next = kPast32 + 1 + Gbk::byteLength(w->txtLangDu->Text());
    QCOMPARE(w->txtWeiZhi->Text(), QString::number(next));
    // 4294967328 of 4296015872 bytes.
    QCOMPARE(w->lblLangDuBiLi->text(), QStringLiteral("99.98%"));
}

TARROWIN_TEST_MAIN(TestHugeFile)
#include "tst_HugeFile.moc"
