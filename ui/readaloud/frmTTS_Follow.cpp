// "边听边看": the reader opens beside the read-aloud window and follows the voice.
#include "ReadAloudDesign.h"
#include "ReadingSession.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include "kxDesign.h"

void frmTTS::createFollowAlongButton()
{
    cmdBianTingBianKan = PlaceButton(picButton, "cmdBianTingBianKan", QStringLiteral("边听边看"),
                                     QStringLiteral("朗读不停，同时打开原文，页面跟着朗读翻动，正在读的词标出来（Ctrl+K）"));
    place(cmdBianTingBianKan, ReadAloudDesign::kFollowAlong);
}

void frmTTS::cmdBianTingBianKan_Click()
{
    if (!m_reader && m_readerFactory)
        m_reader = m_readerFactory(this);
    if (!m_reader)
        return;
    // The listener came to listen while looking on: a silent voice starts first, so that the
    // reader follows the piece it speaks. While the place is still being searched for, the piece
    // is not known yet, and the session's voice waits as the speak buttons do.
    m_session->listen();
    emit m_events->followAlongRequested();
    m_reader->show();
    m_reader->raise();
    m_reader->activateWindow();
}
