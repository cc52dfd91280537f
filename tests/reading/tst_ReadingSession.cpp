#include "TestRegistry.h"
#include "FakeVoice.h"
#include "Gbk.h"
#include "PlacePosition.h"
#include "TextCodec.h"
#include "ProgramFolder.h"
#include "ReadAloudMessages.h"
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
    void listenStartsOnlyASilentVoice();
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
    void theNovelsOwnReadingsReachTheVoiceAndTheirFaultsAreTold();
    void thePlaceKeepsTheNovelsOwnBytes_data();
    void aRepeatedPlaceIsFoundWhereItWas_data();
    void aPieceLengthThatHoldsNoCharacterIsTold_data();
    void aPieceLengthThatHoldsNoCharacterIsTold();
    void aRepeatedPlaceIsFoundWhereItWas();
    void thePlaceKeepsTheNovelsOwnBytes();
    void aMoveAskedForSpeaksOnOnlyWhenSpeaking_data();
    void aMoveAskedForSpeaksOnOnlyWhenSpeaking();
    void aPlaceHandedOverGoesToItsBytes_data();
    void aPlaceHandedOverGoesToItsBytes();
    void aPlaceKeptInAnotherEncodingIsFound_data();
    void aPlaceKeptInAnotherEncodingIsFound();
    void aWholeNovelIsHeardOnceInOrderAcrossSpeedsPausesAndSteps();
    void sentenceStepsMoveTheVoiceAndThePlace_data();
    void sentenceStepsMoveTheVoiceAndThePlace();
    void theSpeedReachesTheVoiceAndIsKeptForEachNovel();
    void seekingFindsTheSentenceNearestTheTime();

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
    QTest::addColumn<QString>("kept"); // the side file's text after the open; none: `current`
    QTest::newRow("no side file: the first piece") << QString() << QStringLiteral("第一句。") << "[1,9)" << QString();
    QTest::newRow("at the place text") << QStringLiteral("第二句") << QStringLiteral("第二句子。") << "[9,19)" << QString();
    QTest::newRow("the first of two occurrences") << QStringLiteral("句。") << QStringLiteral("句。") << "[5,9)" << QString();
    QTest::newRow("a place gone: kept until reading begins")
        << QStringLiteral("不在文中") << QStringLiteral("第一句。") << "[1,9)" << QStringLiteral("不在文中");
}

void TestReadingSession::openGoesOnAtThePlaceOrTheStart()
{
    QFETCH(QString, place);
    QFETCH(QString, current);
    QFETCH(QString, bytes);
    QFETCH(QString, kept);
    write(QStringLiteral("a.txt"), kThree);
    write(QStringLiteral("b.txt"), kThree);
    if (!place.isEmpty())
        write(QStringLiteral("a.txt.find"), place);
    makeSession();
    m_session->open(QStringLiteral("b.txt")); // the same text before: the place is still written
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
    QCOMPARE(this->bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(kept.isEmpty() ? current : kept));
    QVERIFY(m_voice->spoken.isEmpty());
    QCOMPARE(m_session->state(), ReadingSession::State::Idle);
    m_session->setPlaceText(QString()); // an emptied search box is no place
    m_session->start();
    QCOMPARE(this->bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(current));
    write(QStringLiteral("b.txt"), kThree); // another copy keeps a place of its own
    m_session->open(QStringLiteral("b.txt"));
    QCOMPARE(this->bytes(QStringLiteral("b.txt.find")), Gbk::fromUnicode(QStringLiteral("第一句。")));
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

// listen() makes a silent voice heard: never started, paused or stopped alike.
void TestReadingSession::listenStartsOnlyASilentVoice()
{
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->listen();
    QCOMPARE(m_session->state(), ReadingSession::State::Speaking);
    const QString current = m_session->current().text;
    QVERIFY(!current.isEmpty());
    m_session->pauseOrResume();
    m_session->listen();
    QCOMPARE(m_session->state(), ReadingSession::State::Speaking);
    QCOMPARE(m_voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    m_session->stop();
    m_session->listen();
    QCOMPARE(m_session->state(), ReadingSession::State::Speaking);
    QCOMPARE(m_session->current().text, current);
}

void TestReadingSession::moveToAPosition_data()
{
    QTest::addColumn<qint64>("to");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("a piece's start") << qint64(9) << QStringLiteral("第二句子。") << "[9,19)";
    QTest::newRow("the last piece") << qint64(19) << QStringLiteral("第三句。") << "[19,27)";
    QTest::newRow("0 reads from byte 1") << qint64(0) << QStringLiteral("第一句。") << "[1,9)";
    QTest::newRow("past the end: no piece, the place kept") << qint64(40) << QString() << "[40,40)";
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
    QCOMPARE(m_session->placeText(), current.isEmpty() ? QStringLiteral("第一句。") : current);
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

// ".find" holds the bytes of the piece as the novel has them, also bytes that do not convert, and
// the next session on the novel goes on at that piece, with or without the side-file writer.
void TestReadingSession::thePlaceKeepsTheNovelsOwnBytes_data()
{
    QTest::addColumn<QByteArray>("second"); // the novel's second sentence, after one of 8 bytes
    QTest::addColumn<bool>("gathered");
    const QByteArray valid = Gbk::fromUnicode(QStringLiteral("第二句。"));
    const QByteArray pair = QByteArray("\xb5\xda\x81\x7f\xbe\xe4\xa1\xa3"); // 第, 81 7F, 句。
    QTest::newRow("valid text, written at once") << valid << false;
    QTest::newRow("bad pair 81 7F, written at once") << pair << false;
    QTest::newRow("bad pair 81 7F, through the writer") << pair << true;
}

void TestReadingSession::thePlaceKeepsTheNovelsOwnBytes()
{
    QFETCH(QByteArray, second);
    QFETCH(bool, gathered);
    const QByteArray first = Gbk::fromUnicode(QStringLiteral("第一句。"));
    QFile novel(m_dir->filePath(QStringLiteral("a.txt")));
    QVERIFY(novel.open(QIODevice::WriteOnly));
    novel.write(first + second + Gbk::fromUnicode(QStringLiteral("第三句。")));
    novel.close();
    const ByteRange secondRange = ByteRange::Of(BytePos(first.size() + 1), second.size());
    {
        makeSession();
        SideFileWriter writer;
        if (gathered)
            m_session->setSideFiles(&writer);
        m_session->open(QStringLiteral("a.txt"));
        m_session->moveTo(secondRange.start);
        QCOMPARE(Range(m_session->current().bytes), Range(secondRange));
        m_session.reset();
    }
    QCOMPARE(bytes(QStringLiteral("a.txt.find")), second);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    QCOMPARE(Range(m_session->current().bytes), Range(secondRange));
}

// A place text that also stands earlier in the novel: the next session goes on where it was, by
// the byte position kept in the settings; a position kept for another novel, or one where the
// text no longer stands, is not taken, and the first occurrence is.
void TestReadingSession::aRepeatedPlaceIsFoundWhereItWas_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("pieceLength");
    QTest::addColumn<qint64>("at");          // where the first session is moved to
    QTest::addColumn<QString>("change");     // "": none; "other novel": the position kept is b.txt's; "inserted": text put in front
    QTest::addColumn<QString>("expected");   // the piece's bytes at the next open
    QTest::newRow("piece length 4, repeated ending") << kThree << qint64(4) << qint64(23) << QString() << "[23,27)";
    QTest::newRow("piece length 10, repeated sentence")
        << QStringLiteral("第一句。第二句子。第一句。第二句子。") << qint64(10) << qint64(19) << QString() << "[19,27)";
    QTest::newRow("kept for another novel") << kThree << qint64(4) << qint64(23) << QStringLiteral("other novel") << "[5,9)";
    QTest::newRow("text moved by an insertion") << kThree << qint64(4) << qint64(23) << QStringLiteral("inserted") << "[9,13)";
}

void TestReadingSession::aRepeatedPlaceIsFoundWhereItWas()
{
    QFETCH(QString, text);
    QFETCH(qint64, pieceLength);
    QFETCH(qint64, at);
    QFETCH(QString, change);
    QFETCH(QString, expected);
    write(QStringLiteral("a.txt"), text);
    write(QStringLiteral("b.txt"), text);
    makeSession(pieceLength);
    m_session->open(change == "other novel" ? QStringLiteral("b.txt") : QStringLiteral("a.txt"));
    m_session->moveTo(BytePos(at));
    const QString place = m_session->current().text;
    m_session.reset();
    if (change == "other novel")
        write(QStringLiteral("a.txt.find"), place);
    if (change == "inserted")
        write(QStringLiteral("a.txt"), QStringLiteral("前言") + text);
    QCOMPARE(Gbk::toUnicode(bytes(QStringLiteral("a.txt.find"))), place);

    makeSession(pieceLength);
    m_session->open(QStringLiteral("a.txt"));
    QCOMPARE(m_session->current().text, place);
    QCOMPARE(Range(m_session->current().bytes), expected);
}

// A piece length too short for the character at the position reads nothing, and says so; one
// that reads a character, or nothing at the novel's end, says nothing of the kind.
void TestReadingSession::aPieceLengthThatHoldsNoCharacterIsTold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("pieceLength");
    QTest::addColumn<qint64>("at");
    QTest::addColumn<bool>("told");
    QTest::newRow("1 byte at a Chinese character") << kThree << qint64(1) << qint64(1) << true;
    QTest::newRow("1 byte at an ASCII letter") << QStringLiteral("ab第一句。") << qint64(1) << qint64(1) << false;
    QTest::newRow("2 bytes at a Chinese character") << kThree << qint64(2) << qint64(1) << false;
    QTest::newRow("at the end of the novel") << kThree << qint64(1) << qint64(27) << false;
}

void TestReadingSession::aPieceLengthThatHoldsNoCharacterIsTold()
{
    QFETCH(QString, text);
    QFETCH(qint64, pieceLength);
    QFETCH(qint64, at);
    QFETCH(bool, told);
    write(QStringLiteral("a.txt"), text);
    makeSession(pieceLength);
    m_session->setNovel(QStringLiteral("a.txt"));
    QSignalSpy notices(m_session.get(), &ReadingSession::notice);
    m_session->moveTo(BytePos(at));
    QCOMPARE(m_session->current().text.isEmpty(), told || at > 1);
    const QString tooShort = ReadAloudMessages::PieceLengthTooShort(pieceLength);
    QCOMPARE(notices.count() == 1 && notices.at(0).at(0).toString() == tooShort, told);
}

// The side file and the position as a change of encoding cut short by a kill, or a novel
// converted in place, leave them: the next open goes on at the place, not at the start.
void TestReadingSession::aPlaceKeptInAnotherEncodingIsFound_data()
{
    QTest::addColumn<QByteArray>("novel");
    QTest::addColumn<QString>("chosen"); // the encoding kept for the novel; none: its bytes tell
    QTest::addColumn<QByteArray>("find");
    QTest::addColumn<qint64>("kept");
    QTest::addColumn<qint64>("start"); // of the piece opened
    const QByteArray gbk = "x" + Gbk::fromUnicode(kThree);
    QTest::newRow("UTF-16LE kept, .find still GBK") << gbk << "UTF-16LE" << gbk.mid(9, 10) << qint64(9) << qint64(10);
    QTest::newRow("UTF-16LE not kept, .find already UTF-16LE") << gbk << QString() << gbk.mid(8, 10) << qint64(9) << qint64(9);
    QTest::newRow("converted to UTF-8 in place") << kThree.toUtf8() << QString()
                                                 << Gbk::fromUnicode(QStringLiteral("第二句子。")) << qint64(9) << qint64(13);
}

void TestReadingSession::aPlaceKeptInAnotherEncodingIsFound()
{
    QFETCH(QByteArray, novel);
    QFETCH(QString, chosen);
    QFETCH(QByteArray, find);
    QFETCH(qint64, kept);
    QFETCH(qint64, start);
    for (const auto &[name, bytes] : {std::pair{"a.txt", novel}, std::pair{"a.txt.find", find}}) {
        QFile f(m_dir->filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QVERIFY(PlacePosition::Keep(m_dir->filePath(QStringLiteral("a.txt")), BytePos(kept)));
    makeSession();
    m_session->setChosenEncoding(EncodingFromName(chosen));
    QSignalSpy notices(m_session.get(), &ReadingSession::notice);
    m_session->open(QStringLiteral("a.txt"));
    QCOMPARE(m_session->current().bytes.start.value(), start);
    QCOMPARE(notices.count(), 0);
}


// The novel's own readings file goes to the voice with each piece; a line of it that does not
// parse is told once, with its number, and again only after the file changes.
void TestReadingSession::theNovelsOwnReadingsReachTheVoiceAndTheirFaultsAreTold()
{
    write(QStringLiteral("a.txt"), kThree + kThree);
    const QString readings = m_dir->filePath(QStringLiteral("a.txt.duyin"));
    QFile file(readings);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("第一 di4 yi1\n句 qqq2\n");
    file.close();
    makeSession();
    QStringList told;
    connect(m_session.get(), &ReadingSession::notice, this, [&](const QString &text) {
        if (text.contains(QStringLiteral("a.txt.duyin")))
            told << text;
    });
    m_session->open(QStringLiteral("a.txt"));
    m_session->start();
    QCOMPARE(m_voice->readingsFiles().last(), readings);
    QCOMPARE(told, QStringList{QStringLiteral("读音文件“a.txt.duyin”第 2 行无法识别：句 qqq2")});
    m_voice->finishStream();
    QTRY_COMPARE(m_voice->spoken.size(), 3);
    QCOMPARE(told.size(), 1);
    QVERIFY(file.open(QIODevice::Append));
    file.write("# changed\n");
    file.close();
    m_voice->finishStream();
    QTRY_COMPARE(m_voice->spoken.size(), 4);
    QCOMPARE(told.size(), 2);
}

// A chapter or a media key moves while the voice speaks, pauses or is stopped: the voice stops,
// the piece there becomes current and the place, and only a speaking voice goes on there.
void TestReadingSession::aMoveAskedForSpeaksOnOnlyWhenSpeaking_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("speaksOn");
    QTest::newRow("speaking") << "start" << true;
    QTest::newRow("paused") << "pause" << false;
    QTest::newRow("stopped") << "stop" << false;
    QTest::newRow("never started") << QString() << false;
}

void TestReadingSession::aMoveAskedForSpeaksOnOnlyWhenSpeaking()
{
    QFETCH(QString, before);
    QFETCH(bool, speaksOn);
    write(QStringLiteral("a.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    if (!before.isEmpty())
        m_session->start();
    if (before == "pause")
        m_session->pauseOrResume();
    if (before == "stop")
        m_session->stop();
    m_session->goTo(BytePos(19));
    QCOMPARE(m_session->current().text, QStringLiteral("第三句。"));
    QCOMPARE(m_session->currentPieceStart(), BytePos(19));
    QCOMPARE(bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("第三句。")));
    QCOMPARE(m_session->state() == ReadingSession::State::Speaking, speaksOn);
    QCOMPARE(m_voice->queue().value(0) == QStringLiteral("第三句。"), speaksOn);
}

// The reader hands its page back as a place: reading goes on at its bytes when its text stands
// there (a text that occurs twice is not looked for again from the start), else where the text
// is first found.
void TestReadingSession::aPlaceHandedOverGoesToItsBytes_data()
{
    QTest::addColumn<qint64>("at");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("the second occurrence") << qint64(19) << "[19,27)";
    QTest::newRow("bytes where the text is not") << qint64(9) << "[1,9)";
    QTest::newRow("no bytes") << qint64(0) << "[1,9)";
}

void TestReadingSession::aPlaceHandedOverGoesToItsBytes()
{
    QFETCH(qint64, at);
    QFETCH(QString, bytes);
    write(QStringLiteral("a.txt"), QStringLiteral("第一句。第二句子。第一句。第二句子。"));
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->start();
    const ByteRange page = at ? ByteRange::Of(BytePos(at), 8) : ByteRange{};
    QVERIFY(m_session->resumeAt({m_session->novelPath(), page, QStringLiteral("第一句。")}));
    QCOMPARE(Range(m_session->current().bytes), bytes);
    QCOMPARE(Range(m_session->place().bytes), bytes);
    QVERIFY(m_session->queued().text.isEmpty());
}

namespace {
// A novel of chapters with headings, sentences, clauses, quotes and Latin letters.
QString Chapters()
{
    QString text;
    for (int chapter = 1; chapter <= 4; ++chapter) {
        text += QStringLiteral("第%1章 风起\n").arg(chapter);
        for (int line = 0; line < 6; ++line)
            text += QStringLiteral("他说：“走吧，天快黑了。”她点头，跟上ABC。远处有灯！谁在那里？\n");
    }
    return text;
}
}

// Every character is said as a word of its own; along the way the speed changes, the voice pauses
// and resumes, is moved while paused, and steps back and forward by sentences. The words heard
// run on without a gap or a repeat, except where a step moves them to the start of a sentence;
// each character of the novel is heard, and reading ends at the novel's end.
void TestReadingSession::aWholeNovelIsHeardOnceInOrderAcrossSpeedsPausesAndSteps()
{
    const QString text = Chapters();
    write(QStringLiteral("a.txt"), text);
    const QByteArray novel = Gbk::fromUnicode(text);
    makeSession(64);
    m_session->open(QStringLiteral("a.txt"));
    QList<ByteRange> heard;
    connect(m_session.get(), &ReadingSession::wordHeard, this, [&](int, int, ByteRange r) { heard << r; });
    m_session->start();
    std::vector<bool> covered(size_t(novel.size()) + 1, false);
    BytePos expected(1);
    for (int words = 1; !m_voice->queue().isEmpty();) {
        const QString stream = m_voice->queue().first();
        bool moved = false;
        for (int i = 0; i < stream.size() && !moved; ++i, ++words) {
            m_voice->sayWord(i, 1);
            QCoreApplication::processEvents();
            QCOMPARE(heard.size(), 1);
            const ByteRange word = heard.takeFirst();
            QCOMPARE(word.start.value(), expected.value());
            std::fill(covered.begin() + word.start.value(), covered.begin() + word.end.value(), true);
            expected = word.end;
            if (words % 97 == 0) {
                m_session->setSpeed(words % 2 ? 2.5 : 0.75);
                QCOMPARE(m_voice->rateFactor(), m_session->speed());
            } else if (words % 89 == 0) {
                m_session->pauseOrResume();
                QCOMPARE(m_session->state(), ReadingSession::State::Paused);
                m_session->pauseOrResume();
            } else if (words % 71 == 0 || words % 73 == 0) {
                // Back a sentence, or on to the next and back again: what lies between is heard again.
                words % 71 == 0 ? m_session->previousSentence() : m_session->nextSentence();
                expected = m_session->heardPosition();
                QVERIFY(words % 71 == 0 ? expected <= word.start : word.start < expected);
                const QString before = Gbk::toUnicode(novel.left(expected.value() - 1));
                QVERIFY(before.isEmpty() || before.back().isPunct() || before.back() == u'\n');
                QCOMPARE(m_session->current().bytes.start, expected);
                if (words % 73 == 0)
                    m_session->previousSentence(), expected = m_session->heardPosition();
                moved = true;
            } else if (words % 151 == 0) {
                // Moved while paused: it waits there and speaks from there when it resumes.
                m_session->pauseOrResume();
                m_session->startAt(expected = word.start);
                QCOMPARE(m_session->state(), ReadingSession::State::Paused);
                m_session->pauseOrResume();
                moved = true;
            }
        }
        if (!moved)
            m_voice->finishStream(), QCoreApplication::processEvents();
    }
    QCOMPARE(expected.value(), novel.size() + 1);
    QCOMPARE(std::count(covered.begin() + 1, covered.end(), false), 0);
    QCOMPARE(m_session->state(), ReadingSession::State::Stopped);
}

void TestReadingSession::sentenceStepsMoveTheVoiceAndThePlace_data()
{
    QTest::addColumn<int>("heardAt"); // character of the piece 第一句。第二句子。第三句。 heard
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("piece"); // spoken at once; empty: nothing changes
    QTest::newRow("back a sentence") << 5 << -1 << QStringLiteral("第一句。");
    QTest::newRow("this sentence again") << 7 << 0 << QStringLiteral("第二句子。");
    QTest::newRow("the next sentence") << 5 << 1 << QStringLiteral("第三句。");
    QTest::newRow("back from the first") << 1 << -1 << QStringLiteral("第一句。");
    QTest::newRow("on from the last") << 10 << 1 << QString();
}

// Read in one piece, moved by sentences into pieces of their own: the voice speaks the sentence at
// once and the place (in the side file too) goes with it.
void TestReadingSession::sentenceStepsMoveTheVoiceAndThePlace()
{
    QFETCH(int, heardAt);
    QFETCH(int, step);
    QFETCH(QString, piece);
    write(QStringLiteral("a.txt"), kThree);
    makeSession(30);
    m_session->open(QStringLiteral("a.txt"));
    m_session->start();
    m_session->setPieceLength(12);
    m_voice->sayWord(heardAt, 1);
    QCoreApplication::processEvents();
    step < 0 ? m_session->previousSentence() : step == 0 ? m_session->repeatSentence() : m_session->nextSentence();
    const QString spoken = piece.isEmpty() ? kThree : piece;
    QCOMPARE(m_voice->queue().value(0), spoken);
    QCOMPARE(m_voice->purgeCount(), piece.isEmpty() ? 0 : 1);
    QCOMPARE(this->bytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(spoken));
}

void TestReadingSession::theSpeedReachesTheVoiceAndIsKeptForEachNovel()
{
    write(QStringLiteral("a.txt"), kThree);
    write(QStringLiteral("b.txt"), kThree);
    makeSession();
    m_session->open(QStringLiteral("a.txt"));
    m_session->setSpeed(9);
    m_session->open(QStringLiteral("b.txt"));
    QCOMPARE(m_voice->rateFactor(), 1.0);
    m_session->setSpeed(0.1);
    QCOMPARE(m_voice->rateFactor(), 0.5);
    m_session->open(QStringLiteral("a.txt"));
    m_session->setVoice(std::make_unique<FakeVoice>()); // a new voice speaks at the novel's speed
    QCOMPARE(m_session->voice()->rateFactor(), 3.0);
}

// Time counts characters from the chapter's start at the usual pace until one is measured:
// 4 a second at speed 1, 8 at speed 2.
void TestReadingSession::seekingFindsTheSentenceNearestTheTime()
{
    write(QStringLiteral("a.txt"), QStringLiteral("第一章\n一二三四五六七。一二三。一二三四五六七八九十一二三四五。\n"));
    makeSession(200);
    m_session->open(QStringLiteral("a.txt"));
    m_session->setSpeed(2);
    QSignalSpy seeked(m_session.get(), &ReadingSession::seeked);
    m_session->seekChapterTime(1900); // sentences at 0, 4, 12 and 16 characters: 16 is 2000 ms
    QCOMPARE(seeked.value(0).value(0).toLongLong(), 2000);
    m_session->seekBy(-1200); // 800 ms: 4 characters is 500, 12 is 1500
    QCOMPARE(m_session->chapterTimeMs(), 500);
    m_session->seekBy(100); // forward goes on to a later sentence, however near this one is
    QCOMPARE(m_session->chapterTimeMs(), 1500);
}

TARROWIN_GUILESS_TEST_MAIN(TestReadingSession)
#include "tst_ReadingSession.moc"
