#include "FakeVoice.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "ReadingSession.h"
#include "SideFileWriter.h"
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

// The reading session without any window, driven through the fake voice.
class TestReadingSession : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void openGoesOnAtThePlaceOrTheStart_data();
    void openGoesOnAtThePlaceOrTheStart();
    void readsToTheEndSignallingPiecesAndWordsInOrder();
    void wordsAreByteRangesOfTheNovel_data();
    void wordsAreByteRangesOfTheNovel();
    void stopKeepsThePiecesAndStartSpeaksTheInterruptedOneAgain();
    void pauseAndResume();
    void moveToAPosition_data();
    void moveToAPosition();
    void searchForAbsentTextChangesNothing();
    void typedPiecesHaveNoBytes();
    void noVoiceSpeaksNothing();
    void afterTheEndTextAddedIsReadOn();
    void aStopByHandHoldsAtTheEndOfTheStream();
    void aNovelIsReadInItsEncoding_data();
    void aNovelIsReadInItsEncoding();
    void thePlaceGoesThroughTheSideFileWriter();

private:
    void write(const QString &name, const QString &text);
    QByteArray bytes(const QString &name) const;
    // A session on a.txt with the fake voice, pieces of `pieceLength` bytes.
    void makeSession(qint64 pieceLength = 10);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ReadingSession> m_session;
    FakeVoice *m_voice = nullptr;
    QStringList m_events;
};

namespace {
// Three sentences of 8, 10 and 8 bytes: pieces of 10 bytes are one sentence each.
const QString kThree = QStringLiteral("第一句。第二句子。第三句。");

QString Range(ByteRange r)
{
    return QStringLiteral("[%1,%2)").arg(r.start.value()).arg(r.end.value());
}
}

void TestReadingSession::init()
{
    m_session.reset();
    m_events.clear();
    m_dir = std::make_unique<QTemporaryDir>();
    SetProgramFolder(m_dir->path());
}

void TestReadingSession::write(const QString &name, const QString &text)
{
    QFile f(m_dir->filePath(name));
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(name));
    f.write(Gbk::fromUnicode(text));
}

QByteArray TestReadingSession::bytes(const QString &name) const
{
    QFile f(m_dir->filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void TestReadingSession::makeSession(qint64 pieceLength)
{
    m_session = std::make_unique<ReadingSession>();
    auto voice = std::make_unique<FakeVoice>();
    m_voice = voice.get();
    m_session->setVoice(std::move(voice));
    m_session->setPieceLength(pieceLength);
    ReadingSession *s = m_session.get();
    connect(s, &ReadingSession::positionChanged, this,
            [this](BytePos p) { m_events << QStringLiteral("position %1").arg(p.value()); });
    connect(s, &ReadingSession::currentPieceChanged, this,
            [this](const QString &t, ByteRange r) { m_events << QStringLiteral("current %1 %2").arg(t, Range(r)); });
    connect(s, &ReadingSession::queuedPieceChanged, this,
            [this](const QString &t, ByteRange r) { m_events << QStringLiteral("queued %1 %2").arg(t, Range(r)); });
    connect(s, &ReadingSession::wordHeard, this, [this](int at, int length, ByteRange r) {
        m_events << QStringLiteral("word %1+%2 %3").arg(at).arg(length).arg(Range(r));
    });
    connect(s, &ReadingSession::stateChanged, this,
            [this](ReadingSession::State st) { m_events << QStringLiteral("state %1").arg(int(st)); });
}

void TestReadingSession::openGoesOnAtThePlaceOrTheStart_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("no side file: the first piece") << QString() << QStringLiteral("第一句。") << "[1,9)";
    QTest::newRow("at the place text") << QStringLiteral("第二句") << QStringLiteral("第二句子。") << "[9,19)";
    QTest::newRow("the first of two occurrences") << QStringLiteral("句。") << QStringLiteral("句。") << "[5,9)";
}

void TestReadingSession::openGoesOnAtThePlaceOrTheStart()
{
    QFETCH(QString, place);
    QFETCH(QString, current);
    QFETCH(QString, bytes);
    write(QStringLiteral("a.txt"), kThree);
    if (!place.isEmpty())
        write(QStringLiteral("a.txt.find"), place);
    makeSession();
    QSignalSpy novel(m_session.get(), &ReadingSession::novelChanged);
    m_session->open(QStringLiteral("a.txt"));
    QCOMPARE(novel.count(), 1);
    QCOMPARE(m_session->novelPath(), m_dir->filePath(QStringLiteral("a.txt")));
    QCOMPARE(m_session->current().text, current);
    QCOMPARE(Range(m_session->current().bytes), bytes);
    QCOMPARE(m_session->position(), m_session->current().bytes.end);
    QVERIFY(m_session->queued().text.isEmpty());
    // The place follows the piece, in the side file too; nothing is spoken before a start.
    QCOMPARE(m_session->placeText(), current);
    QCOMPARE(this->bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(current));
    QVERIFY(m_voice->spoken.isEmpty());
    QCOMPARE(m_session->state(), ReadingSession::State::Idle);
}

// From the start to the end of the novel: each signal in the order a listener hears it, the
// pieces and words with their bytes in the file. At the end reading stops, the last piece kept.
void TestReadingSession::readsToTheEndSignallingPiecesAndWordsInOrder()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_events.clear();

    m_session->start();
    QCOMPARE(m_voice->queue(), (QStringList{QStringLiteral("第一句。"), QStringLiteral("第二句子。")}));
    m_voice->sayWord(1, 2);
    QCoreApplication::processEvents();
    m_voice->finishStream();
    QCoreApplication::processEvents();
    m_voice->sayWord(4, 1);
    QCoreApplication::processEvents();
    m_voice->finishStream();
    QCoreApplication::processEvents();
    QCOMPARE(m_voice->queue(), QStringList{QStringLiteral("第三句。")});
    m_voice->finishStream();
    QCoreApplication::processEvents();

    const QStringList expected{
        "position 19", "queued 第二句子。 [9,19)", "state 1",
        "word 1+2 [3,7)",
        "current 第二句子。 [9,19)", "position 27", "queued 第三句。 [19,27)",
        "word 4+1 [17,19)",
        // Past the end: an empty piece, and the position stays at the byte after the last, where
        // text added to the novel later is read from.
        "current 第三句。 [19,27)", "queued  [27,27)",
        "queued  [27,27)", "state 3",
    };
    QCOMPARE(m_events, expected);
    QVERIFY(m_session->isStopped());
    QCOMPARE(m_session->current().text, QStringLiteral("第三句。"));
    QVERIFY(m_voice->queue().isEmpty());
    QCOMPARE(bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("第三句。")));
}

void TestReadingSession::wordsAreByteRangesOfTheNovel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("from");
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("ASCII before Chinese") << QStringLiteral("ab 第一句。") << qint64(1) << 3 << 2 << "[4,8)";
    QTest::newRow("Chinese before ASCII") << QStringLiteral("第一 cd。") << qint64(1) << 3 << 2 << "[6,8)";
    QTest::newRow("from the middle of the novel") << QStringLiteral("甲乙，第一句。") << qint64(7) << 1 << 1 << "[9,11)";
    QTest::newRow("a word past the piece's end has no bytes") << QStringLiteral("第一句。") << qint64(1) << 3
                                                              << 5 << "[1,1)";
}

void TestReadingSession::wordsAreByteRangesOfTheNovel()
{
    QFETCH(QString, text);
    QFETCH(qint64, from);
    QFETCH(int, at);
    QFETCH(int, length);
    QFETCH(QString, bytes);
    write(QStringLiteral("a.txt"), text);
    makeSession(100);
    m_session->setNovel(QStringLiteral("a.txt"));
    m_session->moveTo(BytePos(from));
    QSignalSpy words(m_session.get(), &ReadingSession::wordHeard);
    m_session->start();
    m_voice->sayWord(at, length);
    QCoreApplication::processEvents();
    QCOMPARE(words.count(), 1);
    QCOMPARE(words.at(0).at(0).toInt(), at);
    QCOMPARE(words.at(0).at(1).toInt(), length);
    QCOMPARE(Range(words.at(0).at(2).value<ByteRange>()), bytes);
}

void TestReadingSession::stopKeepsThePiecesAndStartSpeaksTheInterruptedOneAgain()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->start();
    m_session->stop();
    QVERIFY(m_session->isStopped());
    QCOMPARE(m_session->state(), ReadingSession::State::Stopped);
    QCOMPARE(m_voice->purgeCount(), 1);
    QVERIFY(m_voice->queue().isEmpty());
    // An end of stream that was on its way when the voice was stopped moves nothing on.
    m_voice->spoken.clear();
    emit m_voice->EndStream(1, 0);
    QCOMPARE(m_session->current().text, QStringLiteral("第一句。"));
    QCOMPARE(m_session->queued().text, QStringLiteral("第二句子。"));
    m_session->start();
    QCOMPARE(m_voice->spoken, (QStringList{QStringLiteral("第一句。"), QStringLiteral("第二句子。")}));
    QCOMPARE(m_session->position(), BytePos(19));
    QCOMPARE(m_session->state(), ReadingSession::State::Speaking);
}

void TestReadingSession::pauseAndResume()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->pauseOrResume();
    QCOMPARE(m_session->state(), ReadingSession::State::Idle);
    QCOMPARE(m_voice->RunningState(), int(SpeechVoice::SRSEDone));
    m_session->start();
    m_session->pauseOrResume();
    QCOMPARE(m_session->state(), ReadingSession::State::Paused);
    QCOMPARE(m_voice->RunningState(), int(SpeechVoice::SRSEPaused));
    m_session->pauseOrResume();
    QCOMPARE(m_session->state(), ReadingSession::State::Speaking);
    QCOMPARE(m_voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    // Stopping a paused voice resumes it before silencing it.
    m_session->pauseOrResume();
    m_session->stop();
    QCOMPARE(m_voice->RunningState(), int(SpeechVoice::SRSEDone));
    QCOMPARE(m_session->state(), ReadingSession::State::Stopped);
}

void TestReadingSession::moveToAPosition_data()
{
    QTest::addColumn<qint64>("to");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("a piece's start") << qint64(9) << QStringLiteral("第二句子。") << "[9,19)";
    QTest::newRow("the last piece") << qint64(19) << QStringLiteral("第三句。") << "[19,27)";
    QTest::newRow("0 reads from byte 1") << qint64(0) << QStringLiteral("第一句。") << "[1,9)";
}

// A move while speaking: the piece there becomes current, the queued one is dropped, and what
// the voice holds is still spoken.
void TestReadingSession::moveToAPosition()
{
    QFETCH(qint64, to);
    QFETCH(QString, current);
    QFETCH(QString, bytes);
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->start();
    const QStringList held = m_voice->queue();
    m_session->moveTo(BytePos(to));
    QCOMPARE(m_session->current().text, current);
    QCOMPARE(Range(m_session->current().bytes), bytes);
    QCOMPARE(m_session->position(), m_session->current().bytes.end);
    QVERIFY(m_session->queued().text.isEmpty());
    QCOMPARE(m_voice->queue(), held);
    QCOMPARE(m_session->placeText(), current);
}

void TestReadingSession::searchForAbsentTextChangesNothing()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->start();
    m_events.clear();
    m_session->setPlaceText(QStringLiteral("不在文中"));
    QVERIFY(!m_session->search());
    QVERIFY(m_events.isEmpty());
    QCOMPARE(bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("不在文中")));
    m_session->setPlaceText(QStringLiteral("第三"));
    QVERIFY(m_session->search());
    QCOMPARE(Range(m_session->current().bytes), QStringLiteral("[19,27)"));
}

// Pieces the listener typed are spoken as typed; where they lie in the novel is not known.
void TestReadingSession::typedPiecesHaveNoBytes()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->setCurrentText(QStringLiteral("自己打的字"));
    QVERIFY(m_session->current().bytes.isEmpty());
    QCOMPARE(m_session->placeText(), QStringLiteral("自己打的字"));
    QSignalSpy words(m_session.get(), &ReadingSession::wordHeard);
    m_session->start();
    QCOMPARE(m_voice->spoken.first(), QStringLiteral("自己打的字"));
    m_voice->sayWord(0, 2);
    QCoreApplication::processEvents();
    QVERIFY(words.at(0).at(2).value<ByteRange>().isEmpty());
}

void TestReadingSession::noVoiceSpeaksNothing()
{
    write(QStringLiteral("a.txt"), kThree);
    m_session = std::make_unique<ReadingSession>();
    m_session->setPieceLength(10);
    m_session->open(QStringLiteral("a.txt"));
    m_session->start();
    m_session->pauseOrResume();
    m_session->stop();
    QCOMPARE(m_session->state(), ReadingSession::State::Idle);
    QVERIFY(!m_session->isStopped());
    QCOMPARE(m_session->current().text, QStringLiteral("第一句。"));
}

// Heard to the end, the last piece is kept; a start then reads what was added to the novel since,
// from the byte after its old end, or speaks the last piece again when nothing was added.
void TestReadingSession::afterTheEndTextAddedIsReadOn()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->setNovel(QStringLiteral("a.txt"));
    m_session->moveTo(BytePos(19));
    m_session->start();
    m_voice->finishStream();
    QCoreApplication::processEvents();
    QVERIFY(m_session->isStopped());
    QCOMPARE(m_session->position(), BytePos(27));
    m_session->start();
    QCOMPARE(m_voice->spoken.last(), QStringLiteral("第三句。"));
    m_session->stop();

    write(QStringLiteral("a.txt"), kThree + QStringLiteral("第四句。"));
    m_voice->spoken.clear();
    m_session->start();
    QCOMPARE(m_session->current().text, QStringLiteral("第四句。"));
    QCOMPARE(Range(m_session->current().bytes), QStringLiteral("[27,35)"));
    QCOMPARE(m_voice->spoken.first(), QStringLiteral("第四句。"));
    QCOMPARE(bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("第四句。")));
}

// The stop flag cleared or set by hand decides whether the end of a stream moves on.
void TestReadingSession::aStopByHandHoldsAtTheEndOfTheStream()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->start();
    QSignalSpy states(m_session.get(), &ReadingSession::stateChanged);
    m_session->setStopped(true);
    QCOMPARE(states.count(), 1);
    QCOMPARE(m_session->state(), ReadingSession::State::Stopped);
    m_voice->finishStream();
    QCoreApplication::processEvents();
    QCOMPARE(m_session->current().text, QStringLiteral("第一句。"));
    m_session->setStopped(false);
    m_voice->finishStream();
    QCoreApplication::processEvents();
    QCOMPARE(m_session->current().text, QStringLiteral("第二句子。"));
}

void TestReadingSession::aNovelIsReadInItsEncoding_data()
{
    QTest::addColumn<bool>("chosen");
    QTest::newRow("chosen for the novel") << true;
    QTest::newRow("found in its bytes") << false;
}

// A UTF-8 novel: its place text is read and kept in UTF-8, its pieces and words are byte ranges
// of the UTF-8 file (a Chinese character three bytes).
void TestReadingSession::aNovelIsReadInItsEncoding()
{
    QFETCH(bool, chosen);
    for (const auto &[name, content] : {std::pair{QStringLiteral("a.txt"), kThree}, std::pair{QStringLiteral("a.txt.find"), QStringLiteral("第二句")}}) {
        QFile f(m_dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content.toUtf8());
    }
    makeSession(15);
    if (chosen)
        m_session->setChosenEncoding(TextEncoding::Utf8);
    m_session->open(QStringLiteral("a.txt"));
    QCOMPARE(m_session->currentNovel().encoding, TextEncoding::Utf8);
    QCOMPARE(m_session->piecesEncoding(), TextEncoding::Utf8);
    QCOMPARE(m_session->current().text, QStringLiteral("第二句子。"));
    QCOMPARE(Range(m_session->current().bytes), QStringLiteral("[13,28)"));
    QSignalSpy words(m_session.get(), &ReadingSession::wordHeard);
    m_session->start();
    m_voice->sayWord(1, 2);
    QCoreApplication::processEvents();
    QCOMPARE(words.count(), 1);
    QCOMPARE(Range(words.at(0).at(2).value<ByteRange>()), QStringLiteral("[16,22)"));
    m_session->setPlaceText(QStringLiteral("第三句"));
    QCOMPARE(bytes(QStringLiteral("a.txt.find")), QStringLiteral("第三句").toUtf8());
}

// With a writer, the place is written as the writer gathers it, and read back after its flush.
void TestReadingSession::thePlaceGoesThroughTheSideFileWriter()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    SideFileWriter writer;
    m_session->setSideFiles(&writer);
    m_session->open(QStringLiteral("a.txt"));
    QCOMPARE(bytes(QStringLiteral("a.txt.find")), QByteArray("<none>"));
    m_session->setPlaceText(QStringLiteral("第三"));
    m_session->loadPlace();
    QCOMPARE(bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("第三")));
    QCOMPARE(m_session->placeText(), QStringLiteral("第三"));
}

QTEST_GUILESS_MAIN(TestReadingSession)
#include "tst_ReadingSession.moc"
