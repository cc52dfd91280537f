// The read-aloud window's reading: pieces, the speech voice's events, the search and restart.
#include "FindInTextFile.h"
#include "HeardWord.h"
#include "PlaceSearch.h"
#include "NumericText.h"
#include "PercentageRead.h"
#include "PieceReader.h"
#include "ReadAloudMessages.h"
#include "SideFileWriter.h"
#include "StatusLine.h"
#include "ProgramFolder.h"
#include "TextBox.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QLabel>

namespace {
const QString kPause = QStringLiteral("暂停朗读");
const QString kResume = QStringLiteral("恢复朗读");
}

QString frmTTS::TextFilePath() const
{
    return NovelFilePath(txtFilePathName->Text());
}

QString frmTTS::SideFilePath(const QString &suffix) const
{
    return ::SideFilePath(txtFilePathName->Text(), suffix);
}

Novel frmTTS::SideFile(const QString &suffix) const
{
    return Novel{SideFilePath(suffix), CurrentNovel().encoding};
}

// A piece length out of range or a text file that cannot be read gives no piece, leaves the
// position where it is and says why on the status line.
QString frmTTS::NextPiece()
{
    if (NumericValue(txtWeiZhi->Text()) == 0)
        txtWeiZhi->setText(QStringLiteral("1"));
    const qint64 length = NumericValue(txtFenChangDu->Text());
    if (!ReadAloudMessages::IsPieceLength(length)) {
        lblZhuangTai->say(ReadAloudMessages::PieceLengthOutOfRange());
        return QString();
    }
    if (!TextFileReadable())
        return QString();
    BytePos position = ReadingPosition(txtWeiZhi->Text());
    const Novel novel = CurrentNovel();
    m_shownEncoding = novel.encoding;
    const QString piece = NextShownPiece(novel, position, length);
    txtWeiZhi->setText(QString::number(position.value()));
    return piece;
}

void frmTTS::cmdSpeak_Click(int index)
{
    if (m_placeSearch->IsRunning())
        return; // the piece to read is not known yet; the buttons wait, and so do media keys
    switch (index) {
    case 0: SpeakStart(); break;
    case 1: SpeakStop(); break;
    case 2: SpeakPauseOrResume(); break;
    default: break;
    }
}

// Speaks txtLangDu (or resumes) and keeps the next piece at hand in txtTTS. When there is nothing
// left to read (the end of the file, a missing file, a piece length that yields nothing), it stops
// instead of handing the voice empty pieces.
void frmTTS::SpeakStart()
{
    if (!m_voice)
        return;
    // After the file's last piece was heard to its end, text added to the file since is read on;
    // with none, the last piece is spoken again.
    if (m_heardToEnd && txtTTS->Text().isEmpty()) {
        const QString added = NextPiece();
        if (!added.isEmpty())
            txtLangDu->setText(added);
    }
    if (txtLangDu->Text().isEmpty()) {
        if (txtTTS->Text().isEmpty())
            txtTTS->setText(NextPiece());
        txtLangDu->setText(txtTTS->Text());
    }
    if (txtTTS->Text() == txtLangDu->Text() || txtTTS->Text().isEmpty())
        txtTTS->setText(NextPiece());
    if (txtLangDu->Text().isEmpty()) {
        SpeakStop();
        return;
    }
    chkTingZhi->setChecked(false);
    lblZhuangTai->say(QString());
    const int state = m_voice->RunningState();
    if (state == SpeechVoice::SRSEPaused)
        m_voice->Resume();
    else if (state == SpeechVoice::SRSEDone)
        m_voice->Speak(txtLangDu->Text(), SpeechVoice::SVSFlagsAsync);
    cmdSpeak[2]->setCaption(kPause);
    // The next piece joins the queue only behind a piece queued just now: a voice that was
    // speaking or paused holds it already.
    const bool queuedNow = state == SpeechVoice::SRSEDone;
    if (!chkFenDuanDu->isChecked() && queuedNow && !txtTTS->Text().isEmpty())
        m_voice->Speak(txtTTS->Text(), SpeechVoice::SVSFlagsAsync);
    txtLangDu->setFocus();
}

void frmTTS::SpeakStop()
{
    if (!m_voice)
        return;
    if (m_voice->RunningState() == SpeechVoice::SRSEPaused)
        m_voice->Resume();
    chkTingZhi->setChecked(true);
    m_voice->Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    cmdSpeak[2]->setCaption(kPause);
    txtLangDu->setFocus();
}

void frmTTS::SpeakPauseOrResume()
{
    if (!m_voice)
        return;
    if (cmdSpeak[2]->Caption() == kPause) {
        if (m_voice->RunningState() == SpeechVoice::SRSEIsSpeaking) {
            cmdSpeak[2]->setCaption(kResume);
            m_voice->Pause();
        }
    } else {
        cmdSpeak[2]->setCaption(kPause);
        m_voice->Resume();
    }
    txtLangDu->setFocus();
}

void frmTTS::mobjSpkOne_EndStream()
{
    if (chkTingZhi->isChecked())
        return;
    if (txtTTS->Text().isEmpty())
        txtTTS->setText(NextPiece());
    if (txtTTS->Text().isEmpty()) { // nothing left to read: stop, keeping the last piece shown
        SpeakStop();
        m_heardToEnd = true;
        return;
    }
    txtLangDu->setText(txtTTS->Text());
    txtTTS->setText(NextPiece());
    if (chkFenDuanDu->isChecked())
        m_voice->Speak(txtLangDu->Text(), SpeechVoice::SVSFlagsAsync);
    else if (!txtTTS->Text().isEmpty())
        m_voice->Speak(txtTTS->Text(), SpeechVoice::SVSFlagsAsync);
}

void frmTTS::mobjSpkOne_Word(int characterPosition, int length)
{
    txtLangDu->setSelStart(characterPosition);
    txtLangDu->setSelLength(length);
    emit m_events->wordHeard(HeardWordIn(Novel{TextFilePath(), m_shownEncoding}, CurrentPieceStart(), txtLangDu->Text(), characterPosition, length));
}

// A new piece becomes the place (the search text, and so the ".find" file); an empty piece never
// does, so that the place of the last piece that held text is kept.
void frmTTS::txtLangDu_Change()
{
    txtLangDu->setSelStart(1);
    m_heardToEnd = false;
    if (!txtLangDu->Text().isEmpty())
        txtChaZhao->setText(txtLangDu->Text());
    UpdateCaption();
}

void frmTTS::txtChaZhao_Change()
{
    m_sideFiles->write(SideFile(QStringLiteral(".find")), txtChaZhao->Text());
}

void frmTTS::txtWeiZhi_Change()
{
    const auto percentage = PercentageRead(TextFilePath(), BytePos(NumericValue(txtWeiZhi->Text())));
    if (percentage)
        lblLangDuBiLi->setText(*percentage);
}

bool frmTTS::TextFileReadable()
{
    const auto problem = ReadAloudMessages::TextFileProblem(txtFilePathName->Text());
    if (problem)
        lblZhuangTai->say(*problem);
    return !problem;
}

void frmTTS::cmdChaZhao_Click()
{
    FindText(ReadAloudMessages::SearchTextNotFound());
}

// Moves to the first occurrence of txtChaZhao's text and prepares the piece there. A text file
// that cannot be read, or that holds no such text, changes nothing; the status line says which,
// with `notFound` for the second.
bool frmTTS::FindText(const QString &notFound)
{
    CancelPlaceSearch();
    if (!TextFileReadable())
        return false;
    const std::optional<BytePos> found = FindInTextFile(CurrentNovel(), txtChaZhao->Text());
    if (!found) {
        lblZhuangTai->say(notFound);
        return false;
    }
    ShowPieceAt(*found);
    return true;
}

void frmTTS::ShowPieceAt(BytePos found)
{
    txtWeiZhi->setText(QString::number(found.value()));
    txtTTS->setText(QString());
    txtLangDu->setText(NextPiece());
}

void frmTTS::cmdChongTou_Click()
{
    CancelPlaceSearch();
    txtWeiZhi->setText(QStringLiteral("1"));
    txtTTS->setText(QString());
    txtLangDu->setText(NextPiece());
}
