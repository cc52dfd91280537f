// The start-up's move to where the novel was left. In a large novel the ".find" text is looked
// for on a thread of its own: the window shows at once, says that it is searching, and keeps the
// controls that read from the place disabled until the piece there is current.
#include "PlaceSearch.h"
#include "ReadAloudMessages.h"
#include "ReadingSession.h"
#include "StatusLine.h"
#include "TextBox.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

// Novels from this size on are searched in the background; below it a search takes no time
// that a user would notice.
constexpr qint64 kBackgroundSearchBytes = 4 * 1024 * 1024;

const QString kSearching = QStringLiteral("查找中");

}

void frmTTS::ResumeAtFindText()
{
    if (txtChaZhao->Text().isEmpty() || m_session->resumeAtKeptPosition())
        return;
    const Novel novel = CurrentNovel();
    if (QFileInfo(novel.path).size() < kBackgroundSearchBytes) {
        m_session->resumeAtPlace();
        return;
    }
    if (!m_session->novelReadable())
        return;
    m_percentageBeforeSearch = lblLangDuBiLi->text();
    SetPlaceSearching(true);
    m_placeSearch->Request(novel, txtChaZhao->Text(), m_session->placeFileBytes());
}

void frmTTS::SetPlaceSearching(bool searching)
{
    for (QWidget *control : {static_cast<QWidget *>(cmdSpeak[0]), static_cast<QWidget *>(cmdSpeak[1]),
                             static_cast<QWidget *>(cmdSpeak[2]), static_cast<QWidget *>(cmdChaZhao),
                             static_cast<QWidget *>(cmdChongTou), static_cast<QWidget *>(cmdRead),
                             static_cast<QWidget *>(cmdBianTingBianKan)})
        control->setEnabled(!searching);
    if (searching) {
        setCursor(Qt::BusyCursor);
        lblLangDuBiLi->setText(kSearching);
    } else {
        unsetCursor();
        if (lblLangDuBiLi->text() == kSearching)
            lblLangDuBiLi->setText(m_percentageBeforeSearch);
    }
}

void frmTTS::PlaceSearchDone()
{
    SetPlaceSearching(false);
    const std::optional<BytePos> found = m_placeSearch->Result();
    if (found)
        m_session->moveTo(*found);
    else
        lblZhuangTai->say(ReadAloudMessages::PlaceNotFound());
}

void frmTTS::CancelPlaceSearch()
{
    if (!m_placeSearch->IsRunning())
        return;
    m_placeSearch->Cancel();
    SetPlaceSearching(false);
}
