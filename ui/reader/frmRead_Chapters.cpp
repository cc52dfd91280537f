// The reader's table of contents: a button of the side bar opens it, and the chapter chosen is
// shown from its heading's line.
#include "ChapterLoader.h"
#include "NumericText.h"
#include "TextBox.h"
#include "TextStart.h"
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
    const QString positionBefore = txtWeiZhi->Text();
    txtWeiZhi->setText(QString::number(start.value()));
    const QString page = GetNextPage();
    if (page.isEmpty())
        txtWeiZhi->setText(positionBefore);
    else
        txtTarrowin->setText(page);
}

BytePos frmRead::PageStart() const
{
    const qint64 after = NumericValue(txtWeiZhi->Text());
    return std::max(TextStartBefore(CurrentNovel(), BytePos(after), txtTarrowin->Text()), BytePos(1));
}
