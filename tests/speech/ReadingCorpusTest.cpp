#include "TestRegistry.h"
#include "EncodingDetection.h"
#include "MandarinDictionary.h"
#include "MandarinReader.h"
#include "SpeechText.h"
#include "mdlFileBinText.h"
#include <QDir>
#include <QTest>

// Every novel of the corpus through the reading layer: its words join back to the text, and the
// text spoken for a pinyin voice stands for every character of it, in order.
class ReadingCorpusTest : public QObject
{
    Q_OBJECT
private slots:
    void novel_data();
    void novel();
};

void ReadingCorpusTest::novel_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(QStringLiteral(TARROWIN_CORPUS_DIR));
    for (const QString &name : corpus.entryList({QStringLiteral("*.txt")}, QDir::Files))
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    QVERIFY(corpus.exists());
}

void ReadingCorpusTest::novel()
{
    QFETCH(QString, path);
    const MandarinDictionary *dictionary = MandarinDictionary::shared();
    QVERIFY(dictionary);
    const MandarinReader reader(*dictionary);
    const std::optional<QString> text = mdlFileBinText::ReadTextFile(Novel{path, DetectFileEncoding(path)});
    QVERIFY(text && !text->isEmpty());
    QString joined;
    joined.reserve(text->size());
    for (const ReadWord &word : reader.read(*text)) {
        QCOMPARE(word.position, int(joined.size()));
        joined += text->mid(word.position, word.length);
    }
    QCOMPARE(joined, *text);
    // The spoken text in pieces as the voice gets them: each stretch of the piece is spoken for
    // in order, and nothing but white space is left without a voice.
    const QString piece = text->mid(text->size() / 2, 20000);
    const SpeechText spoken = PrepareSpeechText(piece, &reader, true);
    int covered = 0;
    for (const WordSpan &source : spoken.sources) {
        QVERIFY(source.position >= covered || source.end() == covered);
        if (source.position > covered)
            QVERIFY2(piece.mid(covered, source.position - covered).trimmed().isEmpty(), qPrintable(piece.mid(covered, 20)));
        covered = std::max(covered, source.end());
    }
    QCOMPARE(covered, int(SpeakableText(piece).size()));
}

TARROWIN_GUILESS_TEST_MAIN(ReadingCorpusTest)
#include "ReadingCorpusTest.moc"
