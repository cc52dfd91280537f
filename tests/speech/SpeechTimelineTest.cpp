#include "TestRegistry.h"
#include "SpeechTimeline.h"
#include <QTest>

// The order and timing rules of the time line, without synthesis or sound.
class SpeechTimelineTest : public QObject
{
    Q_OBJECT
private slots:
    void wordsComeWhenTheirFrameIsPlayed();
    void streamsFollowEachOther();
    void wordlessStreamIsSilentAndEndsAtOnce();
    void audioWaitsUntilTheStreamSaysSomething();
    void rewindPlaysAgainFromAFrame();
    void clearForgetsEverything();
    void nextEventIsKnownOnceItsFrameIs();
    void cutKeepsWhatWasTakenAndRemakesTheRest();
};

namespace {
QByteArray frames(int count) { return QByteArray(count * 2, char(1)); }

QString describe(const QList<SpeechTimeline::Event> &events)
{
    QStringList parts;
    for (const auto &e : events) {
        parts << (e.kind == SpeechTimeline::Event::Word
                      ? QStringLiteral("w%1:%2+%3@%4").arg(e.stream).arg(e.position).arg(e.length).arg(e.streamPosition)
                      : QStringLiteral("end%1@%2").arg(e.stream).arg(e.streamPosition));
    }
    return parts.join(u' ');
}
}

void SpeechTimelineTest::wordsComeWhenTheirFrameIsPlayed()
{
    SpeechTimeline line;
    line.addStream(1);
    line.append(1, frames(100), {{0, 0, 1}, {40, 1, 1}}, false);
    line.append(1, frames(50), {{120, 2, 2}}, true);
    QCOMPARE(line.takeAudio(1000).size(), 300);
    QCOMPARE(describe(line.eventsUpTo(0)), QString());
    QCOMPARE(describe(line.eventsUpTo(1)), u"w1:0+1@0"_qs);
    QCOMPARE(describe(line.eventsUpTo(40)), QString());
    QCOMPARE(describe(line.eventsUpTo(130)), u"w1:1+1@80 w1:2+2@240"_qs);
    QCOMPARE(describe(line.eventsUpTo(149)), QString());
    QVERIFY(!line.isEmpty());
    QCOMPARE(describe(line.eventsUpTo(150)), u"end1@300"_qs);
    QVERIFY(line.isEmpty());
}

void SpeechTimelineTest::streamsFollowEachOther()
{
    SpeechTimeline line;
    line.addStream(1);
    line.addStream(2);
    line.append(2, frames(10), {{0, 0, 1}}, true);  // the second is ready first
    QCOMPARE(line.takeAudio(100).size(), 0);
    line.append(1, frames(20), {{5, 3, 1}}, true);
    QCOMPARE(line.takeAudio(25).size(), 50);
    QCOMPARE(line.takeAudio(100).size(), 10);
    QCOMPARE(describe(line.eventsUpTo(100)), u"w1:3+1@10 end1@40 w2:0+1@0 end2@20"_qs);
}

void SpeechTimelineTest::wordlessStreamIsSilentAndEndsAtOnce()
{
    SpeechTimeline line;
    line.addStream(1);
    line.addStream(2);
    line.append(1, frames(500), {}, false);
    line.append(1, frames(500), {}, true);
    line.append(2, frames(10), {{0, 0, 1}}, true);
    QCOMPARE(line.takeAudio(100).size(), 20);
    QCOMPARE(describe(line.eventsUpTo(0)), u"end1@0"_qs);
    QCOMPARE(describe(line.eventsUpTo(1)), u"w2:0+1@0"_qs);
}

void SpeechTimelineTest::audioWaitsUntilTheStreamSaysSomething()
{
    SpeechTimeline line;
    line.addStream(1);
    line.append(1, frames(30), {}, false);
    QCOMPARE(line.takeAudio(100).size(), 0);
    QCOMPARE(describe(line.eventsUpTo(1000)), QString());
    line.append(1, frames(30), {{40, 0, 1}}, false);
    QCOMPARE(line.takeAudio(100).size(), 120);
    QCOMPARE(describe(line.eventsUpTo(60)), u"w1:0+1@80"_qs);
    QVERIFY(!line.isEmpty());  // not finished: no end yet
}

void SpeechTimelineTest::rewindPlaysAgainFromAFrame()
{
    SpeechTimeline line;
    line.addStream(1);
    QByteArray audio;
    for (int i = 0; i < 100; ++i)
        audio.append(char(i)).append(char(0));
    line.append(1, audio, {{0, 0, 1}}, true);
    QCOMPARE(line.takeAudio(100), audio);
    line.rewindTo(60);
    QCOMPARE(line.takenFrames(), 60);
    QCOMPARE(line.takeAudio(100), audio.mid(120));
    line.rewindTo(-5);
    QCOMPARE(line.takenFrames(), 0);
}

void SpeechTimelineTest::clearForgetsEverything()
{
    SpeechTimeline line;
    line.addStream(1);
    line.append(1, frames(10), {{0, 0, 1}}, true);
    line.takeAudio(10);
    line.clear();
    QVERIFY(line.isEmpty());
    QCOMPARE(line.takenFrames(), 0);
    line.append(1, frames(10), {{0, 0, 1}}, true);  // stream 1 is gone: ignored
    QCOMPARE(describe(line.eventsUpTo(100)), QString());
}

// The frame at which each event is heard, as eventsUpTo gives it: a word once the frame after its
// first has been played, the stream's end once all of it; nothing while a word lies beyond the
// audio a stream still makes.
void SpeechTimelineTest::nextEventIsKnownOnceItsFrameIs()
{
    SpeechTimeline line;
    QCOMPARE(line.nextEventFrame(), std::nullopt);
    line.addStream(1);
    line.append(1, frames(100), {{60, 0, 1}, {140, 1, 1}}, false);
    QCOMPARE(line.nextEventFrame(), std::optional<qint64>(61));
    QCOMPARE(describe(line.eventsUpTo(60)), QString());
    QCOMPARE(describe(line.eventsUpTo(61)), u"w1:0+1@120"_qs);
    QCOMPARE(line.nextEventFrame(), std::nullopt);
    line.append(1, frames(100), {}, true);
    QCOMPARE(line.nextEventFrame(), std::optional<qint64>(141));
    line.eventsUpTo(141);
    QCOMPARE(line.nextEventFrame(), std::optional<qint64>(200));
    QCOMPARE(describe(line.eventsUpTo(200)), u"end1@400"_qs);
}

// A speed change: what was taken stays, the rest is made again from the first word not taken.
void SpeechTimelineTest::cutKeepsWhatWasTakenAndRemakesTheRest()
{
    SpeechTimeline line;
    line.addStream(1);
    line.addStream(2);
    line.addStream(3);
    line.append(1, frames(100), {{0, 0, 2}, {30, 2, 2}, {70, 5, 1}}, false);
    QCOMPARE(line.takeAudio(80).size(), 160);
    QVERIFY(!line.cutAfterTaken()); // the word after frame 80 is not known yet
    line.append(1, frames(50), {{120, 7, 1}}, true);
    line.append(2, frames(40), {{0, 0, 1}}, true);
    line.append(3, frames(40), {}, true); // says nothing: nothing to remake
    QStringList remakes;
    const auto cut = line.cutAfterTaken();
    for (const SpeechTimeline::Remake &r : cut.value())
        remakes << QStringLiteral("%1:%2").arg(r.stream).arg(r.position);
    QCOMPARE(remakes, (QStringList{"1:7", "2:0"}));
    QCOMPARE(line.streamFrames(1), 120);
    QCOMPARE(line.streamFrames(2), 0);
    // The remade audio follows the cut; the words heard run on without a gap or a repeat.
    line.append(1, frames(10), {{120, 7, 1}}, true);
    line.append(2, frames(10), {{0, 0, 1}}, true);
    QCOMPARE(line.takeAudio(1000).size(), 2 * (130 - 80 + 10));
    QCOMPARE(describe(line.eventsUpTo(1000)), u"w1:0+2@0 w1:2+2@60 w1:5+1@140 w1:7+1@240 end1@260 w2:0+1@0 end2@20 end3@0"_qs);
}

TARROWIN_APPLESS_TEST_MAIN(SpeechTimelineTest)
#include "SpeechTimelineTest.moc"
