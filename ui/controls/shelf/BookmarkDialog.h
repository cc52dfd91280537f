#pragma once
#include "Bookmark.h"
#include "ChapterList.h"
#include <QDialog>
#include <QList>
#include <optional>

class QTreeWidget;

// "书签": a novel's bookmarks in the order of the novel, each with its chapter, the first words of
// its sentence, its note and when it was set. Enter, a double click or "转到" chooses one;
// "删除" takes the one under the cursor away; "导出书签…" asks for the Markdown export.
class BookmarkDialog : public QDialog
{
    Q_OBJECT
public:
    BookmarkDialog(const QList<Bookmark> &marks, const ChapterList &chapters, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    // The bookmark chosen, nothing while none is.
    std::optional<Bookmark> chosen() const { return m_chosen; }
    // The bookmarks left (some may have been taken away).
    const QList<Bookmark> &marks() const { return m_marks; }

signals:
    void exportRequested();

private:
    void fill(const ChapterList &chapters);
    void choose();
    void removeCurrent();

    QList<Bookmark> m_marks;
    QTreeWidget *m_list;
    std::optional<Bookmark> m_chosen;
};
