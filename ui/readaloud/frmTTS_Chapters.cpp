// The read-aloud window's chapters: the table of contents, the chapter before and after the piece
// being read, and the chapter's title in the window's caption.
#include "ChapterLoader.h"
#include "ReadAloudDesign.h"
#include "ReadAloudMessages.h"
#include "StatusLine.h"
#include "ReadingSession.h"
#include "TextBox.h"
#include "TextStart.h"
#include "WindowTitle.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include "kxDesign.h"
#include <QFileInfo>

void frmTTS::createChapterButtons()
{
    using namespace ReadAloudDesign;
    cmdShangYiZhang = PlaceButton(picButton, "cmdShangYiZhang", QStringLiteral("上一章"), QStringLiteral("功能键 Ctrl+PgUp"));
    cmdMuLu = PlaceButton(picButton, "cmdMuLu", QStringLiteral("目录"), QStringLiteral("选一章，从那里开始朗读。"));
    cmdXiaYiZhang = PlaceButton(picButton, "cmdXiaYiZhang", QStringLiteral("下一章"), QStringLiteral("功能键 Ctrl+PgDn"));
    place(cmdShangYiZhang, kPreviousChapter);
    place(cmdMuLu, kContents);
    place(cmdXiaYiZhang, kNextChapter);
}

void frmTTS::connectChapterReactions()
{
    connect(cmdMuLu, &kxButtons_H::Click, this, &frmTTS::cmdMuLu_Click);
    connect(cmdShangYiZhang, &kxButtons_H::Click, this, &frmTTS::cmdShangYiZhang_Click);
    connect(cmdXiaYiZhang, &kxButtons_H::Click, this, &frmTTS::cmdXiaYiZhang_Click);
    connect(m_chapters, &ChapterLoader::Ready, this, &frmTTS::ChaptersReady);
}

// The table of contents of the session's novel, found in the background; the chapter buttons
// wait for it.
void frmTTS::RequestChapters()
{
    if (!m_session->requestChapters())
        return;
    for (kxButtons_H *button : {cmdShangYiZhang, cmdMuLu, cmdXiaYiZhang})
        button->setEnabled(false);
}

void frmTTS::ChaptersReady()
{
    for (kxButtons_H *button : {cmdShangYiZhang, cmdMuLu, cmdXiaYiZhang})
        button->setEnabled(true);
    UpdateCaption();
}

// The file name, and the title of the chapter being read once the table of contents is known.
void frmTTS::UpdateCaption()
{
    if (!m_chapters->IsReady() || m_chapters->Requested() != CurrentNovel())
        return;
    setWindowTitle(ReadAloudTitle(txtFilePathName->Text(), m_chapters->Chapters().titleAt(CurrentPieceStart())));
}

BytePos frmTTS::CurrentPieceStart() const
{
    return m_session->currentPieceStart();
}

void frmTTS::cmdMuLu_Click()
{
    const ChapterList &list = m_chapters->Chapters();
    if (!m_chapters->IsReady() || list.isEmpty())
        return;
    const std::optional<int> chosen = m_chapterChooser(this, list, list.indexAt(CurrentPieceStart()));
    if (!chosen || *chosen < 0 || *chosen >= list.size())
        return;
    // The novel may have been replaced by a shorter one while the list was open.
    if (list.at(*chosen).start.value() > QFileInfo(TextFilePath()).size()) {
        lblZhuangTai->say(ReadAloudMessages::ChapterGone());
        return;
    }
    m_session->goTo(list.at(*chosen).start);
}

void frmTTS::cmdShangYiZhang_Click()
{
    if (const std::optional<BytePos> start = m_chapters->Chapters().previousStart(CurrentPieceStart()))
        m_session->goTo(*start);
    else if (m_chapters->IsReady())
        lblZhuangTai->say(ReadAloudMessages::NoChapterBefore());
}

void frmTTS::cmdXiaYiZhang_Click()
{
    if (const std::optional<BytePos> start = m_chapters->Chapters().nextStart(CurrentPieceStart()))
        m_session->goTo(*start);
    else if (m_chapters->IsReady())
        lblZhuangTai->say(ReadAloudMessages::NoChapterAfter());
}
