// The table of contents of every real novel: its chapters are the lines that a plain pattern of
// this test finds ("第" + Chinese number + "回" + a blank, or "Chapter" + a number), the same
// lines in the same order, each entry at the first byte of its line; a novel with none gets
// twenty parts on line starts.
#include "TestRegistry.h"
#include "ChapterScan.h"
#include "Gbk.h"
#include "TextCodec.h"
#include <QTemporaryDir>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(TextEncoding)

namespace {

struct CountedLine
{
    qint64 start; // 1-based position of the line's first byte
    QString text;
};

// The chapter lines of a novel, found line by line on its raw bytes.
std::vector<CountedLine> ChapterLines(const QByteArray &bytes)
{
    static const QRegularExpression chapter(
        QStringLiteral("^[ \\x{3000}]*(第[一二三四五六七八九十百零〇○]+回[ \\x{3000}]|chapter [0-9ivxlc]+\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<CountedLine> lines;
    qint64 start = 0;
    while (start < bytes.size()) {
        qint64 end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QString line = Gbk::toUnicode(bytes.constData() + start, end - start);
        if (chapter.match(line).hasMatch())
            lines.push_back({start + 1, line});
        start = end + 1;
    }
    return lines;
}

}

class tst_ChapterCorpus : public QObject
{
    Q_OBJECT
private slots:
    void novel_data();
    void novel();
    void everyEncoding_data();
    void everyEncoding();
};

void tst_ChapterCorpus::novel_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(QStringLiteral(TARROWIN_CORPUS_DIR));
    const QStringList names = corpus.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        QSKIP("the corpus folder is absent");
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
}

void tst_ChapterCorpus::novel()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const std::vector<CountedLine> expected = ChapterLines(bytes);
    const std::optional<ChapterList> list = ScanChapters(path);
    QVERIFY(list);
    QCOMPARE(list->headingsFound(), !expected.empty());
    if (expected.empty()) {
        QCOMPARE(list->size(), ChapterList::kParts);
        for (const Chapter &part : list->entries())
            QVERIFY(part.start == BytePos(1) || bytes[part.start.value() - 2] == '\n');
        return;
    }
    QCOMPARE(list->size(), int(expected.size()));
    for (int i = 0; i < list->size(); ++i) {
        const Chapter &entry = list->at(i);
        QCOMPARE(entry.start.value(), expected[size_t(i)].start);
        QVERIFY2(expected[size_t(i)].text.trimmed().startsWith(entry.title), qPrintable(entry.title));
        QVERIFY(entry.title.size() <= 40);
    }
}

void tst_ChapterCorpus::everyEncoding_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("mark");
    const QString corpus = QStringLiteral(TARROWIN_CORPUS_DIR);
    if (!QFile::exists(corpus + QStringLiteral("/xiyouji.txt")))
        QSKIP("the corpus folder is absent");
    const QString crlf = corpus + QStringLiteral("/sanguoyanyi_crlf.txt");
    const QString trad = corpus + QStringLiteral("/xiyouji_trad.txt");
    QTest::newRow("UTF-8") << crlf << TextEncoding::Utf8 << QByteArray();
    QTest::newRow("UTF-8 with mark") << crlf << TextEncoding::Utf8 << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("UTF-16LE with mark") << crlf << TextEncoding::Utf16Le << QByteArray("\xFF\xFE");
    QTest::newRow("UTF-16BE") << trad << TextEncoding::Utf16Be << QByteArray();
    QTest::newRow("GB18030") << trad << TextEncoding::Gb18030 << QByteArray();
}

// The same headings, in the same order, each at the first byte of its line in that encoding.
void tst_ChapterCorpus::everyEncoding()
{
    QFETCH(QString, path);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, mark);
    const std::optional<ChapterList> gbk = ScanChapters(Novel{path, TextEncoding::Gbk});
    QVERIFY(gbk);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = mark + TextCodec::Encode(encoding, Gbk::toUnicode(file.readAll()));
    QTemporaryDir dir;
    QFile converted(dir.filePath(QStringLiteral("novel.txt")));
    QVERIFY(converted.open(QIODevice::WriteOnly));
    QCOMPARE(converted.write(bytes), bytes.size());
    converted.close();
    const std::optional<ChapterList> list = ScanChapters(Novel{converted.fileName(), encoding});
    QVERIFY(list);
    QCOMPARE(list->size(), gbk->size());
    const QByteArray lineFeed = TextCodec::Encode(encoding, QStringLiteral("\n"));
    for (int i = 0; i < list->size(); ++i) {
        QCOMPARE(list->at(i).title, gbk->at(i).title);
        const qint64 start = list->at(i).start.value();
        QVERIFY(start == 1 || bytes.mid(start - 1 - lineFeed.size(), lineFeed.size()) == lineFeed);
    }
}

TARROWIN_GUILESS_TEST_MAIN(tst_ChapterCorpus)
#include "tst_chapter_corpus.moc"
