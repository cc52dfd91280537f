// The reader's bookmarks: "添加书签" (Ctrl+B) marks the top of the page shown, "书签" shows the
// page of the one chosen, "导出书签" writes them as Markdown; all three are on the pop-up menu too.
// The reader has no status line: what went wrong is said in a message box that does not stop the
// window.
#include "BookmarkCommands.h"
#include "ChapterLoader.h"
#include "ReadAloudSide.h"
#include "TextBox.h"
#include "frmRead.h"
#include <QMenu>
#include <QMessageBox>

void frmRead::CreateBookmarkCommands()
{
    BookmarkCommands::Window bound;
    bound.novelName = [this] { return m_tts->novelName(); };
    bound.novel = [this] { return CurrentNovel(); };
    bound.here = [this]() -> std::optional<BytePos> {
        if (txtTarrowin->Text().isEmpty())
            return std::nullopt;
        return PageStart();
    };
    bound.chapters = [this] { return m_chapters->IsReady() ? m_chapters->Chapters() : ChapterList(); };
    bound.moveTo = [this](BytePos position) { ShowPageAt(position); };
    bound.say = [this](const QString &text, bool problem) {
        if (!problem)
            return;
        auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    m_bookmarks = new BookmarkCommands(this, std::move(bound));
    mnuTanChu->addSeparator();
    mnuTanChu->addActions({m_bookmarks->addAction(), m_bookmarks->listAction(), m_bookmarks->exportAction()});
}
