#include "FakeVoice.h"
#include <QMetaObject>

void FakeVoice::Speak(const QString &text, int flags)
{
    if (flags & SVSFPurgeBeforeSpeak) {
        m_queue.clear();
        ++m_purges;
        if (text.isEmpty())
            return;
    }
    spoken << text;
    m_queue.append({m_nextNumber++, text});
}

void FakeVoice::Pause()
{
    if (!m_queue.isEmpty())
        m_paused = true;
}

void FakeVoice::Resume() { m_paused = false; }

int FakeVoice::RunningState() const
{
    if (m_paused)
        return SRSEPaused;
    return m_queue.isEmpty() ? SRSEDone : SRSEIsSpeaking;
}

QStringList FakeVoice::queue() const
{
    QStringList texts;
    for (const Stream &s : m_queue)
        texts << s.text;
    return texts;
}

void FakeVoice::sayWord(int characterPosition, int length)
{
    if (m_queue.isEmpty())
        return;
    const int number = m_queue.first().number;
    QMetaObject::invokeMethod(this, [=] { emit Word(number, 0, characterPosition, length); },
                              Qt::QueuedConnection);
}

void FakeVoice::finishStream()
{
    if (m_queue.isEmpty())
        return;
    const int number = m_queue.takeFirst().number;
    QMetaObject::invokeMethod(this, [=] { emit EndStream(number, 0); }, Qt::QueuedConnection);
}
