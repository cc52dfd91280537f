// The read-aloud window as the reader window reaches it: the novel, the session's place and the
// piece it reads, and the hand-over of the reader's place when it closes.
#include "ReadingSession.h"
#include "TextBox.h"
#include "frmTTS.h"

QString frmTTS::novelName() const
{
    return m_session->novel();
}

Place frmTTS::place() const
{
    return m_session->place();
}

HeardWord frmTTS::pieceBeingRead() const
{
    return m_session->heardWord(0, 0);
}

void frmTTS::handBack(const Place &place)
{
    if (!place.text.isEmpty())
        m_session->resumeAt(place);
    show();
}

void frmTTS::openInReader(const QString &path)
{
    if (OpenNovel(path))
        cmdRead_Click();
}

void frmTTS::readFrom(BytePos position)
{
    CancelPlaceSearch(); // the place chosen on the page is newer than the one searched for
    m_session->speakSentenceAt(position);
    emit m_events->followAlongRequested();
}
