// Reading a byte range of a text file piece by piece.
#include "TestRegistry.h"
#include "Gbk.h"
#include "TextRangeReader.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TextRangeReaderTest : public QObject
{
    Q_OBJECT
private slots:
    void piecesMakeUpTheRange_data();
    void piecesMakeUpTheRange();
    void fileShorterThanRange();
    void missingFileFails();
    void novelInItsEncoding();

private:
    QString write(const QByteArray &bytes);
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString TextRangeReaderTest::write(const QByteArray &bytes)
{
    const QString path = m_dir.filePath(QString::number(++m_files));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void TextRangeReaderTest::piecesMakeUpTheRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pieceBytes");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("cut at line ends") << u"第一行。\n第二行，长一些。\n三"_qs << 18
                                      << QStringList{u"第一行。\n"_qs, u"第二行，长一些。\n"_qs, u"三"_qs};
    QTest::newRow("no line end: last break") << u"甲乙，丙丁。戊己庚"_qs << 14
                                             << QStringList{u"甲乙，丙丁。"_qs, u"戊己庚"_qs};
    QTest::newRow("no break: whole characters") << u"甲乙丙丁戊"_qs << 5
                                                << QStringList{u"甲乙"_qs, u"丙丁"_qs, u"戊"_qs};
    QTest::newRow("one piece") << u"short text\r\n"_qs << 1024 << QStringList{u"short text\r\n"_qs};
}

void TextRangeReaderTest::piecesMakeUpTheRange()
{
    QFETCH(QString, text);
    QFETCH(int, pieceBytes);
    QFETCH(QStringList, pieces);
    // The range sits inside other text, which is never read.
    const QByteArray before = Gbk::fromUnicode(u"前文\n"_qs);
    const QByteArray range = Gbk::fromUnicode(text);
    const QString path = write(before + range + Gbk::fromUnicode(u"后文"_qs));
    const BytePos start(before.size() + 1);
    TextRangeReader reader(Novel{path}, start, start + range.size(), pieceBytes);
    QStringList read;
    while (const std::optional<QString> piece = reader.next()) {
        QVERIFY(Gbk::byteLength(*piece) <= pieceBytes);
        read << *piece;
    }
    QCOMPARE(read, pieces);
    QVERIFY(!reader.failed());
    QCOMPARE(reader.position(), start + range.size());
}

void TextRangeReaderTest::fileShorterThanRange()
{
    const QString path = write(Gbk::fromUnicode(u"一二三四五六。\n七八"_qs));
    TextRangeReader reader(Novel{path}, BytePos(1), BytePos(10000), 12);
    QStringList read;
    while (const std::optional<QString> piece = reader.next())
        read << *piece;
    QCOMPARE(read.join(QString()), u"一二三四五六。\n七八"_qs);
    QVERIFY(!reader.failed());
}

void TextRangeReaderTest::missingFileFails()
{
    TextRangeReader reader(Novel{m_dir.filePath(u"missing"_qs)}, BytePos(1), BytePos(100), 10);
    QVERIFY(!reader.next());
    QVERIFY(reader.failed());
    // Deleted after the first piece: the rest is no shorter file but a failed read.
    const QString path = write(Gbk::fromUnicode(u"一二三四五六。\n七八九十。"_qs));
    TextRangeReader cut(Novel{path}, BytePos(1), BytePos(100), 16);
    QVERIFY(cut.next());
    QVERIFY(QFile::remove(path));
    QVERIFY(!cut.next());
    QVERIFY(cut.failed());
}

void TextRangeReaderTest::novelInItsEncoding()
{
    // UTF-8: three bytes a character; the bytes after a cut are counted in the novel's encoding.
    const QString text = u"甲乙，丙丁。\n戊己庚"_qs;
    const QString path = write(text.toUtf8());
    TextRangeReader reader(Novel{path, TextEncoding::Utf8}, BytePos(1), BytePos(text.toUtf8().size() + 1), 20);
    QStringList read;
    while (const std::optional<QString> piece = reader.next())
        read << *piece;
    QCOMPARE(read, (QStringList{u"甲乙，丙丁。\n"_qs, u"戊己庚"_qs}));
}

TARROWIN_APPLESS_TEST_MAIN(TextRangeReaderTest)
#include "tst_textrangereader.moc"
