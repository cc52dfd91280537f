// The reader's table of contents: a button of the side bar opens it, and the chapter chosen is
// shown from its heading's line.
#include "ChapterLoader.h"
#include "PageSession.h"
#include "TextBox.h"
#include "frmRead.h"
#include "kxButtons_H.h"
#include "kxDesign.h"

void frmRead::CreateChapterButton()
{
    cmdMuLu = PlaceButton(picButton, "cmdMuLu", QStringLiteral("目录"), QStringLiteral("选一章，从那里开始显示。"));
    PlaceInTwips(cmdMuLu, 30, 2535, 1215, 345);
}

// Each load finds the table of the file the read-aloud window names; the kept table makes it
// quick. The button waits for it.
void frmRead::RequestChapters()
{
    cmdMuLu->setEnabled(false);
    m_chapters->Request(CurrentNovel());
}

void frmRead::cmdMuLu_Click()
{
    const ChapterList &list = m_chapters->Chapters();
    if (!m_chapters->IsReady() || list.isEmpty())
        return;
    const std::optional<int> chosen = m_chapterChooser(this, list, list.indexAt(PageStart()));
    if (chosen && *chosen >= 0 && *chosen < list.size())
        ShowPageAt(list.at(*chosen).start);
}

// A page that shows nothing there (a box too small for one line) leaves the page and position as
// they were, so that the page shown stays the place.
void frmRead::ShowPageAt(BytePos start)
{
    m_pages->showAt(start);
}

BytePos frmRead::PageStart() const
{
    return m_pages->pageStart();
}
