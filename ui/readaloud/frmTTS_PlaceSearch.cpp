// The start-up's move to where the novel was left, as the window shows it. The session looks for
// the ".find" text of a large novel on a thread of its own; meanwhile the window says that it is
// searching and keeps the controls that read from the place disabled.
#include "ReadingSession.h"
#include "TextBox.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include <QLabel>
#include <QPushButton>

namespace {
const QString kSearching = QStringLiteral("查找中");
}

void frmTTS::ResumeAtFindText()
{
    m_session->resumeWhereLeft();
}

void frmTTS::SetPlaceSearching(bool searching)
{
    for (QWidget *control : {static_cast<QWidget *>(cmdSpeak[0]), static_cast<QWidget *>(cmdSpeak[1]),
                             static_cast<QWidget *>(cmdSpeak[2]), static_cast<QWidget *>(cmdChaZhao),
                             static_cast<QWidget *>(cmdChongTou), static_cast<QWidget *>(cmdRead),
                             static_cast<QWidget *>(cmdBianTingBianKan)})
        control->setEnabled(!searching);
    if (searching) {
        m_percentageBeforeSearch = lblLangDuBiLi->text();
        setCursor(Qt::BusyCursor);
        lblLangDuBiLi->setText(kSearching);
    } else {
        unsetCursor();
        if (lblLangDuBiLi->text() == kSearching)
            lblLangDuBiLi->setText(m_percentageBeforeSearch);
    }
}

void frmTTS::CancelPlaceSearch()
{
    m_session->cancelSearch();
}
