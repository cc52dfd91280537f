#pragma once
#include "BytePos.h"
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The sleep timer: ends a listening session after a chosen time, or when the voice reaches the
// end of the current chapter (or of the one or two after it). Over the last 30 seconds of a timed run the volume fades to
// nothing, so that a listener falling asleep is not woken by speech that stops mid-sentence.
// The clock is handed in, so that tests drive minutes of it without waiting.
class SleepTimer : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<qint64()>; // milliseconds, never going back
    static constexpr qint64 kFadeMs = 30000;

    // The choices a listener is offered; `Off` ends a run. The numbers are what the settings keep
    // of the last choice, so later choices come after `Off`.
    enum Choice { Minutes15, Minutes30, Minutes45, Minutes60, Minutes90, EndOfChapter, Off, EndOfTwoChapters, EndOfThreeChapters };
    // Their captions, by number.
    static QStringList captions();
    // The choices in the order they are offered.
    static QList<Choice> offered();
    // How many chapter ends a choice reads to: 1 to 3, 0 for the others.
    static int chaptersOf(Choice choice);
    // The length of a timed choice; 0 for the end of a chapter and for `Off`.
    static qint64 durationMs(Choice choice);
    // "12:05": minutes and seconds left, rounded up to the whole second.
    static QString remainingText(qint64 remainingMs);

    explicit SleepTimer(Clock clock, QObject *parent = nullptr);
    void setClock(Clock clock) { m_clock = std::move(clock); }

    void startFor(qint64 durationMs);
    // Ends the run when the voice reaches `chapterEnd` (the first byte of the next chapter), the
    // end of the `chapters`-th chapter from here.
    void startUntil(BytePos chapterEnd, int chapters = 1);
    // The choice a run to a chapter's end stands for.
    Choice untilChoice() const { return m_untilChoice; }
    void cancel();
    bool isRunning() const { return m_deadline.has_value() || m_chapterEnd.has_value(); }
    bool isTimed() const { return m_deadline.has_value(); }
    // Time left of a timed run; 0 when none runs.
    qint64 remainingMs() const;
    // 1 until the last 30 seconds of a timed run, then down to 0 in a straight line.
    double volumeFactor() const;

    // Looks at the clock: emits `expired` once when the time is up.
    void tick();
    // The voice reached `position`: emits `expired` once at or past the chapter's end.
    void heard(BytePos position);
    // The start of the chapter after the end that the last run stopped at; nothing when it ran
    // for a time (or runs still).
    std::optional<BytePos> stoppedBefore() const { return m_stoppedBefore; }

signals:
    void expired();

private:
    void expire();

    Clock m_clock;
    std::optional<qint64> m_deadline;
    std::optional<BytePos> m_chapterEnd;
    std::optional<BytePos> m_stoppedBefore;
    Choice m_untilChoice = EndOfChapter;
};
