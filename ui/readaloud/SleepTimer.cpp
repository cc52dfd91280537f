#include "SleepTimer.h"
#include <algorithm>

QStringList SleepTimer::captions()
{
    return {QStringLiteral("15 分钟"), QStringLiteral("30 分钟"), QStringLiteral("45 分钟"),
            QStringLiteral("60 分钟"), QStringLiteral("90 分钟"), QStringLiteral("本章结束"),
            QStringLiteral("关闭定时"), QStringLiteral("两章后"), QStringLiteral("三章后")};
}

QList<SleepTimer::Choice> SleepTimer::offered()
{
    return {Minutes15, Minutes30, Minutes45, Minutes60, Minutes90, EndOfChapter, EndOfTwoChapters, EndOfThreeChapters, Off};
}

int SleepTimer::chaptersOf(Choice choice)
{
    switch (choice) {
    case EndOfChapter: return 1;
    case EndOfTwoChapters: return 2;
    case EndOfThreeChapters: return 3;
    default: return 0;
    }
}

qint64 SleepTimer::durationMs(Choice choice)
{
    static constexpr int kMinutes[] = {15, 30, 45, 60, 90};
    if (choice < Minutes15 || choice > Minutes90)
        return 0;
    return qint64(kMinutes[choice]) * 60 * 1000;
}

QString SleepTimer::remainingText(qint64 remainingMs)
{
    const qint64 seconds = (std::max<qint64>(remainingMs, 0) + 999) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

SleepTimer::SleepTimer(Clock clock, QObject *parent) : QObject(parent), m_clock(std::move(clock)) {}

void SleepTimer::startFor(qint64 durationMs)
{
    m_chapterEnd.reset();
    m_stoppedBefore.reset();
    m_deadline = m_clock() + std::max<qint64>(durationMs, 0);
}

void SleepTimer::startUntil(BytePos chapterEnd, int chapters)
{
    m_untilChoice = chapters >= 3 ? EndOfThreeChapters : chapters == 2 ? EndOfTwoChapters : EndOfChapter;
    m_deadline.reset();
    m_stoppedBefore.reset();
    m_chapterEnd = chapterEnd;
}

void SleepTimer::cancel()
{
    m_stoppedBefore.reset();
    m_deadline.reset();
    m_chapterEnd.reset();
}

qint64 SleepTimer::remainingMs() const
{
    return m_deadline ? std::max<qint64>(*m_deadline - m_clock(), 0) : 0;
}

double SleepTimer::volumeFactor() const
{
    if (!m_deadline)
        return 1.0;
    return std::min(1.0, double(remainingMs()) / double(kFadeMs));
}

void SleepTimer::tick()
{
    if (m_deadline && m_clock() >= *m_deadline)
        expire();
}

void SleepTimer::heard(BytePos position)
{
    if (!m_chapterEnd || position < *m_chapterEnd)
        return;
    const BytePos end = *m_chapterEnd;
    cancel();
    m_stoppedBefore = end;
    emit expired();
}

void SleepTimer::expire()
{
    cancel();
    emit expired();
}
