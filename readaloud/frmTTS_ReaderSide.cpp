// The read-aloud window as the reader window reaches it: the novel, the place, the piece being
// read, and the hand-over of the reader's place when it closes.
#include "TextBox.h"
#include "ReadingSession.h"
#include "frmTTS.h"

QString frmTTS::novelName() const
{
    return txtFilePathName->Text();
}

QString frmTTS::placeText() const
{
    return txtChaZhao->Text();
}

HeardWord frmTTS::pieceBeingRead() const
{
    return HeardWordIn(CurrentNovel(), CurrentPieceStart(), txtLangDu->Text(), 0, 0);
}

void frmTTS::handBack(const QString &placeText)
{
    if (!placeText.isEmpty()) {
        txtTTS->setText(QString());
        txtChaZhao->setText(placeText);
        cmdChaZhao_Click();
    }
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
