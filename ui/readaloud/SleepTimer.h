#pragma once
#include "BytePos.h"
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The sleep timer: ends a listening session after a chosen time, or when the voice reaches the
// end of the current chapter. Over the last 30 seconds of a timed run the volume fades to
// nothing, so that a listener falling asleep is not woken by speech that stops mid-sentence.
// The clock is handed in, so that tests drive minutes of it without waiting.
class SleepTimer : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<qint64()>; // milliseconds, never going back
    static constexpr qint64 kFadeMs = 30000;

    // The choices a listener is offered, in order; `Off` ends a run.
    enum Choice { Minutes15, Minutes30, Minutes45, Minutes60, Minutes90, EndOfChapter, Off };
    static QStringList captions();
    // The length of a timed choice; 0 for the end of a chapter and for `Off`.
    static qint64 durationMs(Choice choice);
    // "12:05": minutes and seconds left, rounded up to the whole second.
    static QString remainingText(qint64 remainingMs);

    explicit SleepTimer(Clock clock, QObject *parent = nullptr);
    void setClock(Clock clock) { m_clock = std::move(clock); }

    void startFor(qint64 durationMs);
    // Ends the run when the voice reaches `chapterEnd` (the first byte of the next chapter).
    void startUntil(BytePos chapterEnd);
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

signals:
    void expired();

private:
    void expire();

    Clock m_clock;
    std::optional<qint64> m_deadline;
    std::optional<BytePos> m_chapterEnd;
};
