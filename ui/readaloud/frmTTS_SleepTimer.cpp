// The read-aloud window's sleep timer: "定时停止" ends reading after a chosen time (the volume
// fading over the last half minute) or at the end of the chapter being read (or of the one or
// two after it), stopping the reading session as "停止朗读" does, and gives the voice its volume
// back for the next start. A stop at a chapter's end leaves the place at the next chapter's start.
#include "ChapterLoader.h"
#include "ReadingSession.h"
#include "ReadAloudDesign.h"
#include "ReadingSession.h"
#include "SleepTimer.h"
#include "TextBox.h"
#include "ReadAloudMessages.h"
#include "StatusLine.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include "kxDesign.h"
#include "mdlIniFile.h"
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>
#include <cmath>

namespace {
const QString kCaption = QStringLiteral("定时停止");
const QString kSection = QStringLiteral("DINGSHI");
const QString kChoiceKey = QStringLiteral("XUANZE");

SleepTimer::Clock MonotonicClock()
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return [clock] { return clock->elapsed(); };
}
}

void frmTTS::createSleepTimer()
{
    cmdDingShi = PlaceButton(picButton, "cmdDingShi", kCaption, QStringLiteral("到时停止朗读，最后半分钟声音渐弱。"));
    place(cmdDingShi, ReadAloudDesign::kSleepTimer);
    m_sleepTimer = new SleepTimer(MonotonicClock(), this);
    m_sleepTick = new QTimer(this);
    m_sleepTick->setInterval(250);
    connect(cmdDingShi, &kxButtons_H::Click, this, &frmTTS::cmdDingShi_Click);
    connect(m_sleepTick, &QTimer::timeout, this, &frmTTS::SleepTimer_Tick);
    connect(m_sleepTimer, &SleepTimer::expired, this, &frmTTS::SleepTimer_Expired);
    // The end of the chapter is reached at the first word heard in the next one, or at a piece
    // that starts there, whichever comes first: a piece may run on over the chapter's end.
    const auto heard = [this](ByteRange bytes) {
        if (!bytes.isEmpty())
            m_sleepTimer->heard(bytes.start);
    };
    connect(m_session, &ReadingSession::currentPieceChanged, this, [heard](const QString &, ByteRange bytes) { heard(bytes); });
    connect(m_session, &ReadingSession::wordHeard, this, [heard](int, int, ByteRange bytes) { heard(bytes); });
}

void frmTTS::setSleepClock(std::function<qint64()> clock)
{
    m_sleepTimer->setClock(std::move(clock));
}

// The choices in a menu under the button, the last one chosen ready to take with Enter.
void frmTTS::cmdDingShi_Click()
{
    QMenu menu(this);
    menu.setAccessibleName(kCaption);
    const QStringList captions = SleepTimer::captions();
    const int last = mdlIniFile::ReadIniInteger(kSection, kChoiceKey, SleepTimer::Minutes30);
    QAction *offered = nullptr;
    for (const SleepTimer::Choice i : SleepTimer::offered()) {
        QAction *action = menu.addAction(captions.at(i), this, [this, i] { ChooseSleepTimer(i); });
        if (i == last)
            offered = action;
    }
    menu.setActiveAction(offered);
    menu.exec(cmdDingShi->mapToGlobal(QPoint(0, cmdDingShi->height())));
}

void frmTTS::ChooseSleepTimer(int choice)
{
    if (choice < 0 || choice > SleepTimer::EndOfThreeChapters)
        return;
    mdlIniFile::WriteIniString(kSection, kChoiceKey, QString::number(choice));
    if (choice == SleepTimer::Off) {
        m_sleepTimer->cancel();
    } else if (const int chapters = SleepTimer::chaptersOf(SleepTimer::Choice(choice))) {
        std::optional<BytePos> end = CurrentPieceStart();
        for (int i = 0; i < chapters && end; ++i)
            end = m_chapters->Chapters().nextStart(*end);
        if (!end) {
            m_sleepTimer->cancel(); // the last chapter ends with the novel, where reading stops anyway
            lblZhuangTai->say(ReadAloudMessages::LastChapterEndsWithTheNovel());
        } else {
            m_sleepTimer->startUntil(*end, chapters);
        }
    } else {
        m_sleepTimer->startFor(SleepTimer::durationMs(SleepTimer::Choice(choice)));
    }
    SleepTimer_Tick();
}

// The time left on the button and, over the last half minute, a volume that fades with it.
void frmTTS::SleepTimer_Tick()
{
    m_sleepTimer->tick();
    if (!m_sleepTimer->isRunning()) {
        m_sleepTick->stop();
        cmdDingShi->setCaption(kCaption);
        ApplyVolume();
        return;
    }
    if (!m_sleepTick->isActive())
        m_sleepTick->start();
    cmdDingShi->setCaption(m_sleepTimer->isTimed() ? QStringLiteral("定时 ") + SleepTimer::remainingText(m_sleepTimer->remainingMs())
                                                   : SleepTimer::captions().at(m_sleepTimer->untilChoice()));
    ApplyVolume();
}

void frmTTS::SleepTimer_Expired()
{
    m_session->stop();
    if (const std::optional<BytePos> next = m_sleepTimer->stoppedBefore())
        m_session->moveTo(*next);
    m_sleepTick->stop();
    cmdDingShi->setCaption(kCaption);
    ApplyVolume();
}

int frmTTS::ListeningVolume() const
{
    return m_session->volume();
}

void frmTTS::setListeningVolume(int volume)
{
    m_session->setVolume(volume);
}

void frmTTS::ApplyVolume()
{
    m_session->setVolumeScale(m_sleepTimer->volumeFactor());
}
