#include "TestRegistry.h"
#include "ReaderFixture.h"
#include <QLabel>

// A sparse text file past 4 GB with text across byte 2^31 and across byte 2^32: the reader opens
// at the read-aloud window's place past 2^31 (its find), opens a page past 2^32 from a position,
// turns pages forward and backward through both texts, and each page is the file's bytes just
// before the position, with the percentage of the position in the file's length.
class TestReaderHugeFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void findAndTurnPagesThere_data();
    void findAndTurnPagesThere();

private:
    QTemporaryDir m_folder;
    QString m_path;
};

namespace {

constexpr qint64 k2p31 = qint64(1) << 31;
constexpr qint64 k2p32 = qint64(1) << 32;
constexpr qint64 kFileSize = k2p32 + (qint64(1) << 20);
// 0-based offsets of the two markers; the rest of the file around the text is zero bytes (holes).
constexpr qint64 kPast31 = k2p31 + 1001;
constexpr qint64 kPast32 = k2p32 + 3;

const QString kFirst = QStringLiteral("第一处：二的三十一次方之后。");
const QString kSecond = QStringLiteral("第二处！二的三十二次方之后，");

QString sentences(const QString &word, int from, int to)
{
    QString text;
    for (int i = from; i <= to; ++i)
        text += QStringLiteral("%1第%2句话，内容平常。").arg(word).arg(i) + (i % 9 == 0 ? QStringLiteral("\r\n") : QString());
    return text;
}

// The text written around a marker: sentences before it, the marker, sentences after it.
QString before(const QString &word) { return sentences(word, 1, 80); }
QString after(const QString &word) { return sentences(word, 81, 160); }

QByteArray fileBytes(const QString &path, qint64 first, qint64 count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(first - 1))
        return {};
    return file.read(count);
}

QString percentage(qint64 position)
{
    return QString::number(100.0 * double(position) / double(kFileSize), 'f', 2) + QLatin1Char('%');
}

}

void TestReaderHugeFile::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_path = m_folder.filePath(QStringLiteral("huge.txt"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (!file.resize(kFileSize))
        QSKIP("This file system cannot hold a sparse file past 4 GB");
    for (const auto &[offset, marker, word] : {std::tuple{kPast31, kFirst, QStringLiteral("甲")},
                                               std::tuple{kPast32, kSecond, QStringLiteral("乙")}}) {
        const QByteArray lead = Gbk::fromUnicode(before(word));
        const QByteArray bytes = lead + Gbk::fromUnicode(marker + after(word));
        QVERIFY(file.seek(offset - lead.size()));
        QCOMPARE(file.write(bytes), bytes.size());
    }
}

void TestReaderHugeFile::findAndTurnPagesThere_data()
{
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<qint64>("blockStart"); // 1-based position of the text's first byte
    QTest::addColumn<qint64>("blockEnd");   // 1-based position after the text
    // Every find reads the file from its start (the read-aloud window's fault test finds past 2^32
    // already): the text past 2^31 is found, the position is set at the text past 2^32 and a
    // page turned there, as a find would.
    QTest::addColumn<bool>("find");
    for (const auto &[name, offset, marker, word, find] :
         {std::tuple{"across 2^31", kPast31, kFirst, QStringLiteral("甲"), true},
          std::tuple{"across 2^32", kPast32, kSecond, QStringLiteral("乙"), false}}) {
        const qint64 start = offset + 1 - Gbk::byteLength(before(word));
        QTest::newRow(name) << offset << marker << start << offset + 1 + Gbk::byteLength(marker + after(word)) << find;
    }
}

void TestReaderHugeFile::findAndTurnPagesThere()
{
    QFETCH(qint64, offset);
    QFETCH(QString, marker);
    QFETCH(qint64, blockStart);
    QFETCH(qint64, blockEnd);
    QFETCH(bool, find);
    ReaderFixture f;
    frmTTS *tts = f.loadTts(QStringLiteral("短。"));
    QVERIFY(QFile::remove(f.path(f.novel)));
    QVERIFY(QFile::link(m_path, f.path(f.novel)));
    tts->txtChaZhao->setText(find ? marker.left(4) : QString());
    frmRead *reader = f.open();
    if (!find) {
        reader->txtWeiZhi->setText(QString::number(offset + 1));
        reader->cmdRead_Click(0);
    }

    const auto checkPage = [&](const char *turn) {
        const QString page = reader->txtTarrowin->Text();
        const qint64 position = reader->txtWeiZhi->Text().toLongLong();
        const QByteArray bytes = Gbk::fromUnicode(page);
        QVERIFY2(!page.isEmpty(), turn);
        QVERIFY2(position - bytes.size() >= blockStart && position <= blockEnd,
                 qPrintable(QStringLiteral("%1: position %2").arg(QLatin1String(turn)).arg(position)));
        QVERIFY2(fileBytes(m_path, position - bytes.size(), bytes.size()) == bytes, turn);
        QCOMPARE(reader->lblLangDuBiLi->text(), percentage(position));
    };
    QVERIFY2(reader->txtTarrowin->Text().startsWith(marker), qPrintable(reader->txtTarrowin->Text().left(20)));
    QCOMPARE(reader->txtWeiZhi->Text().toLongLong(), offset + 1 + Gbk::byteLength(reader->txtTarrowin->Text()));
    checkPage("find");

    // Forward: each page starts where the one before ended.
    qint64 end = reader->txtWeiZhi->Text().toLongLong();
    for (int i = 0; i < 2; ++i) {
        reader->cmdRead_Click(0);
        checkPage("forward");
        QCOMPARE(reader->txtWeiZhi->Text().toLongLong() - Gbk::byteLength(reader->txtTarrowin->Text()), end);
        end = reader->txtWeiZhi->Text().toLongLong();
    }
    // Backward, one page and then two at a time: each page ends where the one shown began, back
    // past the marker.
    for (const char *count : {"1", "2", "1"}) {
        const qint64 start = reader->txtWeiZhi->Text().toLongLong() - Gbk::byteLength(reader->txtTarrowin->Text());
        reader->txtYeShu[1]->setText(QLatin1String(count));
        reader->cmdRead_Click(1);
        checkPage("backward");
        const qint64 now = reader->txtWeiZhi->Text().toLongLong();
        if (QLatin1String(count) == QLatin1String("1"))
            QCOMPARE(now, start);
        else
            QVERIFY(now < start);
    }
    QVERIFY(reader->txtWeiZhi->Text().toLongLong() <= offset + 1);
}

TARROWIN_TEST_MAIN(TestReaderHugeFile)
#include "tst_ReaderHugeFile.moc"
