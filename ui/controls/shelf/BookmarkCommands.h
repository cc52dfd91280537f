#pragma once
#include "Bookmark.h"
#include "ChapterList.h"
#include <QObject>
#include <functional>
#include <optional>

class QAction;
class QWidget;

// The bookmark commands of a window, as QActions the window owns: "添加书签" (Ctrl+B) marks where
// the window stands without stopping anything and asks for an optional note; "书签" lists the
// novel's bookmarks and moves to the one chosen; "导出书签" writes them as Markdown. What the
// window is reading, where it stands and how it moves are handed in.
class BookmarkCommands : public QObject
{
    Q_OBJECT
public:
    struct Window
    {
        // The novel as the read-aloud window names it (its side files are found from it), and its
        // file in the encoding it is read in.
        std::function<QString()> novelName;
        std::function<Novel()> novel;
        // Where a bookmark goes now; none when nothing is shown or read.
        std::function<std::optional<BytePos>()> here;
        // Whether a mark goes back to the start of the sentence that holds `here`.
        bool toSentenceStart = false;
        std::function<ChapterList()> chapters;
        // Shows or reads the novel from `position` on, as the window's own moves do.
        std::function<void(BytePos)> moveTo;
        // Tells the listener what was done (`problem` false) or what went wrong, in one line.
        std::function<void(const QString &, bool problem)> say;
    };

    BookmarkCommands(QWidget *window, Window bound);

    QAction *addAction() const { return m_add; }
    QAction *listAction() const { return m_list; }
    QAction *exportAction() const { return m_export; }

    // Sets a bookmark where the window stands, with `note`; false (and said why) when it could not
    // be set or kept.
    bool addMark(const QString &note);
    // "添加书签": a mark, then the note asked for.
    void addAsked();
    // "书签".
    void showList();
    // "导出书签".
    void exportMarkdown();

private:
    std::optional<QList<Bookmark>> load();
    bool save(const QList<Bookmark> &marks);
    void goTo(const Bookmark &mark);

    QWidget *m_window;
    Window m_bound;
    QAction *m_add;
    QAction *m_list;
    QAction *m_export;
};
