#include "TestRegistry.h"
#include "ReadAloudFixture.h"
#include <QCheckBox>
#include <QTest>

// The text file is truncated, replaced or deleted while the window reads it aloud: reading goes on
// with what the file holds now and stops cleanly at its new end; nothing that is no longer in the
// file, and no U+0000, is handed to the voice.
class TestTextFileChanges : public QObject
{
    Q_OBJECT
private slots:
    void changedWhileRead_data();
    void changedWhileRead();
};

namespace {
const QString kName = QStringLiteral("novel.txt");

QString sentences(const QString &word, int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("第%1%2。").arg(i).arg(word);
    return text;
}

// Ends every stream the voice holds until it holds none, at most `limit` of them.
int speakToTheEnd(ReadAloudFixture &f, int limit)
{
    int ended = 0;
    while (f.voice->RunningState() == SpeechVoice::SRSEIsSpeaking && ended < limit) {
        f.voice->finishStream();
        ReadAloudFixture::deliverEvents();
        ++ended;
    }
    return ended;
}
}

void TestTextFileChanges::changedWhileRead_data()
{
    QTest::addColumn<bool>("byPieces");
    QTest::addColumn<int>("keepBytes");        // -1: the file is deleted
    QTest::addColumn<QString>("replacement");  // written instead of the file when not empty
    QTest::addColumn<QString>("newText");      // what is read after the change, up to the new end
    QTest::addColumn<bool>("endsInsideCharacter");

    const QString original = sentences(QStringLiteral("句话"), 40);
    const QByteArray bytes = Gbk::fromUnicode(original);
    const int half = bytes.indexOf(Gbk::fromUnicode(QStringLiteral("第20句"))); // a character boundary
    for (bool byPieces : {false, true}) {
        const QByteArray mode = byPieces ? " (分段朗读)" : "";
        QTest::newRow("truncated" + mode) << byPieces << half << QString() << Gbk::toUnicode(bytes.left(half)) << false;
        // The lone lead byte at the new end is never spoken.
        QTest::newRow("truncated inside a character" + mode)
            << byPieces << half + 1 << QString() << Gbk::toUnicode(bytes.left(half)) << true;
        QTest::newRow("emptied" + mode) << byPieces << 0 << QString() << QString() << false;
        QTest::newRow("deleted" + mode) << byPieces << -1 << QString() << QString() << false;
        const QString shorter = sentences(QStringLiteral("行字"), 25);
        QTest::newRow("replaced by a shorter text" + mode) << byPieces << 0 << shorter << shorter << false;
        const QString longer = sentences(QStringLiteral("个新的句子"), 60);
        QTest::newRow("replaced by a longer text" + mode) << byPieces << 0 << longer << longer << false;
        // Its end lies before the place reached: nothing more is read.
        QTest::newRow("replaced by a text that ends before the place read" + mode)
            << byPieces << 0 << QStringLiteral("短。") << QString() << false;
    }
}

void TestTextFileChanges::changedWhileRead()
{
    QFETCH(bool, byPieces);
    QFETCH(int, keepBytes);
    QFETCH(QString, replacement);
    QFETCH(QString, newText);
    QFETCH(bool, endsInsideCharacter);
    ReadAloudFixture f;
    f.writeText(kName, sentences(QStringLiteral("句话"), 40));
    frmTTS *w = f.load();
    f.choose(kName);
    w->txtFenChangDu->setText(QStringLiteral("24"));
    w->chkFenDuanDu->setChecked(byPieces);
    w->cmdSpeak_Click(0);
    for (int i = 0; i < 4; ++i) {
        f.voice->finishStream();
        ReadAloudFixture::deliverEvents();
    }
    QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));

    // What the window holds already was read before the change and may still be spoken.
    const QStringList heldBefore{w->txtLangDu->Text(), w->txtTTS->Text()};
    const qsizetype spokenBefore = f.voice->spoken.size();
    if (keepBytes < 0) {
        QVERIFY(QFile::remove(f.path(kName)));
    } else if (!replacement.isEmpty()) {
        f.writeText(kName, replacement);
    } else {
        QVERIFY(QFile::resize(f.path(kName), keepBytes));
    }

    const int ended = speakToTheEnd(f, 500);
    QVERIFY2(ended < 500, "reading did not stop at the new end of the file");
    QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEDone));
    // The first piece read from a replaced file starts wherever the old position falls in it, perhaps
    // between the bytes of a character; every later one is the new file's text. A piece that holds
    // the lone lead byte at the end of a file cut inside a character does not convert back to its
    // bytes, so its first byte is dropped (the reading of pieces does so wherever a piece holds a
    // byte sequence that is no character).
    QString readAfter;
    bool firstNewPiece = true;
    for (qsizetype i = spokenBefore; i < f.voice->spoken.size(); ++i) {
        const QString piece = f.voice->spoken.at(i);
        QVERIFY2(!piece.contains(QChar(0)), qPrintable(piece));
        if (heldBefore.contains(piece))
            continue;
        QVERIFY2(newText.contains(piece) || (firstNewPiece && !replacement.isEmpty())
                     || (endsInsideCharacter && newText.contains(piece.mid(1))),
                 qPrintable(QStringLiteral("not in the file: ") + piece));
        firstNewPiece = false;
        readAfter += piece;
    }
    // Reading ran on to the file's new end.
    if (newText.isEmpty()) {
        QVERIFY(readAfter.isEmpty());
    } else {
        QVERIFY(!readAfter.isEmpty());
        // The lone lead byte at the end of a file cut inside a character is heard as one U+FFFD.
        QString heard = readAfter;
        if (endsInsideCharacter) {
            QVERIFY2(heard.endsWith(QChar(0xFFFD)), qPrintable(heard.right(20)));
            heard.chop(1);
        }
        QVERIFY2(newText.endsWith(heard.right(endsInsideCharacter ? 4 : 8)), qPrintable(readAfter.right(20)));
    }
}

TARROWIN_TEST_MAIN(TestTextFileChanges)
#include "tst_TextFileChanges.moc"
