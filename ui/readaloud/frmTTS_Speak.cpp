// The read-aloud window's reading: its boxes bound to the reading session, the speak buttons, the
// search and restart.
#include "NumericText.h"
#include "PercentageRead.h"
#include "ProgramFolder.h"
#include "ReadingSession.h"
#include "SideFileWriter.h"
#include "StatusLine.h"
#include "TextBox.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QLabel>

namespace {
const QString kPause = QStringLiteral("暂停朗读");
const QString kResume = QStringLiteral("恢复朗读");
}

// The session starts as the boxes show it at design time (the first byte, pieces of 100 bytes). A
// box is set only when what it shows differs from the session's value, so that a position or
// length typed as the user likes it ("0012") stays as typed.
void frmTTS::bindSession()
{
    m_session->setSideFiles(m_sideFiles);
    m_session->setNovel(txtFilePathName->Text());
    m_session->setPosition(BytePos(1));
    m_session->setPieceLength(100);
    m_session->setByPieces(chkFenDuanDu->isChecked());
    connect(m_session, &ReadingSession::novelChanged, txtFilePathName, &TextBox::setText);
    connect(m_session, &ReadingSession::positionChanged, txtWeiZhi, [this](BytePos position) {
        if (NumericValue(txtWeiZhi->Text()) != position.value())
            txtWeiZhi->setText(QString::number(position.value()));
    });
    connect(m_session, &ReadingSession::pieceLengthChanged, txtFenChangDu, [this](qint64 bytes) {
        if (NumericValue(txtFenChangDu->Text()) != bytes)
            txtFenChangDu->setText(QString::number(bytes));
    });
    connect(m_session, &ReadingSession::currentPieceChanged, txtLangDu, [this](const QString &text) { txtLangDu->setText(text); });
    connect(m_session, &ReadingSession::queuedPieceChanged, txtTTS, [this](const QString &text) { txtTTS->setText(text); });
    connect(m_session, &ReadingSession::placeTextChanged, txtChaZhao, &TextBox::setText);
    connect(m_session, &ReadingSession::wordHeard, this, &frmTTS::mobjSpkOne_Word);
    connect(m_session, &ReadingSession::stateChanged, this, &frmTTS::showState);
    connect(m_session, &ReadingSession::notice, lblZhuangTai, &StatusLine::say);
    connect(m_session, &ReadingSession::searchingChanged, this, &frmTTS::SetPlaceSearching);

    connect(txtLangDu, &TextBox::Change, this, &frmTTS::txtLangDu_Change);
    connect(txtTTS, &TextBox::Change, m_session, [this] { m_session->setQueuedText(txtTTS->Text()); });
    connect(txtChaZhao, &TextBox::Change, m_session, [this] { m_session->setPlaceText(txtChaZhao->Text()); });
    connect(txtWeiZhi, &TextBox::Change, this, &frmTTS::txtWeiZhi_Change);
    connect(txtFenChangDu, &TextBox::Change, m_session,
            [this] { m_session->setPieceLength(NumericValue(txtFenChangDu->Text())); });
    connect(chkTingZhi, &QCheckBox::clicked, m_session, &ReadingSession::setStopped);
}

void frmTTS::showState()
{
    chkTingZhi->setChecked(m_session->isStopped());
    cmdSpeak[2]->setCaption(m_session->state() == ReadingSession::State::Paused ? kResume : kPause);
}

SpeechVoice *frmTTS::mobjSpkOne() const
{
    return m_session->voice();
}

QString frmTTS::TextFilePath() const
{
    return m_session->novelPath();
}

// Start, stop, pause or resume; the focus then goes to the piece box, where the word being spoken
// is selected.
void frmTTS::cmdSpeak_Click(int index)
{
    if (m_session->isSearching())
        return; // the piece to read is not known yet; the buttons wait
    switch (index) {
    case 0: m_session->start(); break;
    case 1: m_session->stop(); break;
    case 2: m_session->pauseOrResume(); break;
    default: return;
    }
    if (m_session->voice())
        txtLangDu->setFocus();
}

// The word is selected in the piece box, and told to the reader in bytes of the novel.
void frmTTS::mobjSpkOne_Word(int characterPosition, int length, ByteRange bytes)
{
    txtLangDu->setSelStart(characterPosition);
    txtLangDu->setSelLength(length);
    emit m_events->wordHeard(m_session->heardWord(characterPosition, length, bytes));
}

void frmTTS::txtLangDu_Change()
{
    txtLangDu->setSelStart(1);
    m_session->setCurrentText(txtLangDu->Text());
    UpdateCaption();
}

// The position as typed goes to the session (its numeric value, as everywhere it is read).
void frmTTS::txtWeiZhi_Change()
{
    const BytePos position(NumericValue(txtWeiZhi->Text()));
    m_session->setPosition(position);
    const auto percentage = PercentageRead(TextFilePath(), position);
    if (percentage)
        lblLangDuBiLi->setText(*percentage);
}

void frmTTS::cmdChaZhao_Click()
{
    CancelPlaceSearch();
    m_session->search();
}

void frmTTS::cmdChongTou_Click()
{
    CancelPlaceSearch();
    m_session->restart();
}
