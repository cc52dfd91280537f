#include "TestRegistry.h"
#include "ChunkSize.h"
#include "GridMeasure.h"
#include "PageEngine.h"
#include "TextCodec.h"
#include "TextDecoder.h"
#include "../support/ReplacementCharacters.h"
#include <QDir>
#include <QTest>

// Turning through novels in every encoding on a page box of known size: forward from position 1
// every byte after the byte-order mark is shown exactly once and no page splits a character;
// backward every page ends where the page after it begins.
class TestPageEncodings : public QObject
{
    Q_OBJECT
private slots:
    void turnsThroughTheCorpus_data();
    void turnsThroughTheCorpus();
    void charactersBeyondTheBasicPlane_data();
    void charactersBeyondTheBasicPlane();
    void replacementCharacters_data();
    void replacementCharacters();
};

namespace {

// Each novel of the corpus is cut to its first characters (on a line end) so that the turns
// through it in nine encodings stay within a few seconds; the full novels are turned through in
// GBK, in a real page box, by the page corpus test.
constexpr qsizetype kSliceCharacters = 60000;

QString CorpusSlice(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = TextCodec::Decode(TextEncoding::Gbk, file.readAll());
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), kSliceCharacters);
    return lineEnd < 0 ? text : text.left(lineEnd + 1);
}

struct NovelFile
{
    QTemporaryDir dir;
    Novel novel;
    QByteArray bytes;
    qint64 mark = 0;
};

bool WriteNovel(NovelFile &file, TextEncoding encoding, const QByteArray &mark, const QString &text)
{
    file.novel = {file.dir.filePath(QStringLiteral("novel.txt")), encoding};
    file.bytes = mark + TextCodec::Encode(encoding, text);
    file.mark = mark.size();
    QFile out(file.novel.path);
    return out.open(QIODevice::WriteOnly) && out.write(file.bytes) == file.bytes.size();
}

// The file's text after its byte-order mark, with the byte position at which each unit's
// character starts, as the page checks look them up.
struct FileText
{
    QString text;
    std::vector<qint64> starts;

    explicit FileText(const NovelFile &file)
    {
        TextDecoder decoder(file.novel.encoding);
        decoder.decode(file.bytes.constData() + file.mark, file.bytes.size() - file.mark, true, text, &starts);
        for (qint64 &start : starts)
            start += file.mark + 1;
        starts.push_back(file.bytes.size() + 1);
    }

    // The index of the unit whose character starts at `position`; -1 when none does.
    qsizetype UnitAt(BytePos position) const
    {
        const auto at = std::lower_bound(starts.cbegin(), starts.cend(), position.value());
        return at != starts.cend() && *at == position.value() ? at - starts.cbegin() : -1;
    }
};

// Turns forward from position 1 to the end, then back to the start, checking each page against
// the file's text as it goes: a page is the text of the characters from where it starts to where
// it ends, and never starts or ends inside a character. Returns the number of pages turned forward.
int TurnThrough(const NovelFile &file, int columns, int rows)
{
    const TextEncoding encoding = file.novel.encoding;
    GridMeasure measure(columns, rows);
    const qint64 chunkSize = ChunkSize::Measure(measure, encoding);
    const FileText all(file);

    BytePos position(1);
    qsizetype shown = 0;
    int pages = 0;
    for (;;) {
        const QString page = PageEngine::NextPage(measure, file.novel, position, chunkSize);
        if (page.isEmpty())
            break;
        ++pages;
        if (all.UnitAt(position) != shown + page.size() || all.text.mid(shown, page.size()) != page) {
            qWarning("forward page %d, ending at %lld, is not the text after the page before", pages, position.value());
            return -1;
        }
        shown += page.size();
    }
    if (shown != all.text.size())
        return -1;

    QString page;
    for (int back = 0; position.value() > 1; ++back) {
        const qsizetype end = all.UnitAt(position) - page.size();
        if (end < 0)
            return -1;
        const qint64 start = all.starts.at(end);
        page = PageEngine::PrevPage(measure, file.novel, position, chunkSize, page);
        if (start - chunkSize <= 0)
            break; // within one chunk of the start the first page is shown
        if (page.isEmpty() || position.value() != start || all.text.mid(end - page.size(), page.size()) != page) {
            qWarning("backward page %d, which should end at %lld, ends at %lld", back, start, position.value());
            return -1;
        }
    }
    BytePos first(1);
    return page == PageEngine::NextPage(measure, file.novel, first, chunkSize) ? pages : -1;
}

}

void TestPageEncodings::turnsThroughTheCorpus_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("mark");
    const QDir corpus(QStringLiteral(TARROWIN_CORPUS_DIR));
    const QStringList novels = corpus.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (novels.isEmpty())
        QSKIP("no novels in " TARROWIN_CORPUS_DIR "; the corpus folder lies beside the project");
    for (const QString &name : novels) {
        const QString text = CorpusSlice(corpus.filePath(name));
        for (TextEncoding encoding : kAllEncodings)
            QTest::newRow(qPrintable(name + QLatin1Char(' ') + EncodingName(encoding))) << text << encoding << QByteArray();
        QTest::newRow(qPrintable(name + QStringLiteral(" UTF-8 with a mark")))
            << text << TextEncoding::Utf8 << QByteArray("\xEF\xBB\xBF");
        QTest::newRow(qPrintable(name + QStringLiteral(" UTF-16LE with a mark")))
            << text << TextEncoding::Utf16Le << QByteArray("\xFF\xFE");
        QTest::newRow(qPrintable(name + QStringLiteral(" UTF-16BE with a mark")))
            << text << TextEncoding::Utf16Be << QByteArray("\xFE\xFF");
    }
}

void TestPageEncodings::turnsThroughTheCorpus()
{
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, mark);
    NovelFile file;
    // Only what the encoding holds: Big5 has no simplified characters and gives "?" for them.
    QVERIFY(WriteNovel(file, encoding, mark, text));
    QVERIFY(TurnThrough(file, 40, 12) > 1);
}

// Characters outside the basic plane are four bytes in UTF-8 and GB18030 and a surrogate pair
// in UTF-16: a page never ends between the two halves of a pair, even with no break character
// on it.
void TestPageEncodings::charactersBeyondTheBasicPlane_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    const QString pairs = QStringLiteral("𠀀𠀁𠀂𡀀𢀀𣀀𤀀𥀀");
    const QString mixed = QStringLiteral("一𠀀二𠀁三𠀂，");
    for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Gb18030, TextEncoding::Utf16Le,
                                  TextEncoding::Utf16Be}) {
        for (int columns : {3, 5, 8, 13})
            QTest::newRow(qPrintable(QStringLiteral("%1, no break, %2 columns").arg(EncodingName(encoding)).arg(columns)))
                << encoding << pairs.repeated(40) << columns;
        QTest::newRow(qPrintable(EncodingName(encoding) + QStringLiteral(", mixed"))) << encoding << mixed.repeated(60) << 7;
    }
}

void TestPageEncodings::charactersBeyondTheBasicPlane()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(QString, text);
    QFETCH(int, columns);
    NovelFile file;
    QVERIFY(WriteNovel(file, encoding, {}, text));
    QVERIFY(TurnThrough(file, columns, 3) > 1);
}

// U+FFFD characters of the file, beside bytes that do not convert (which give U+FFFD as well),
// at page and chunk ends: forward and backward every page stands for exactly its bytes. A page
// may end between the two U+FFFD of a lone UTF-16 surrogate, so UTF-16 holds none here.
void TestPageEncodings::replacementCharacters_data()
{
    ReplacementNovelRows();
}

void TestPageEncodings::replacementCharacters()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, mark);
    for (int columns : {4, 9, 23}) {
        NovelFile file;
        QVERIFY(WriteNovel(file, encoding, mark, {}));
        file.bytes += ReplacementNovel(encoding, 12000, quint32(columns), false);
        QFile out(file.novel.path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file.bytes) == file.bytes.size());
        out.close();
        QVERIFY2(TurnThrough(file, columns, 3) > 1, qPrintable(QString::number(columns)));
    }
}

TARROWIN_APPLESS_TEST_MAIN(TestPageEncodings)
#include "tst_PageEncodings.moc"
