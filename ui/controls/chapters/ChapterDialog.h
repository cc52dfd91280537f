#pragma once
#include "ChapterList.h"
#include <QDialog>
#include <functional>
#include <optional>

class QTreeWidget;
class QTreeWidgetItem;

// The table of contents, "目录": a list of a novel's chapters in which volumes hold their
// chapters, with the current chapter selected. An entry is chosen by a double click, Enter or
// "确定". A novel without headings says so ("没有找到章节") above its twenty equal parts.
class ChapterDialog : public QDialog
{
    Q_OBJECT
public:
    ChapterDialog(const ChapterList &chapters, int current, QWidget *parent = nullptr);

    // The index in the table of the entry chosen, nothing while none is.
    std::optional<int> ChosenIndex() const;
    QTreeWidget *list() const { return m_list; }

    // Shows the dialog modally; the entry chosen, or nothing for a cancel.
    static std::optional<int> Choose(QWidget *parent, const ChapterList &chapters, int current);

private:
    QTreeWidgetItem *AddEntry(const ChapterList &chapters, int index, QTreeWidgetItem *volume);

    QTreeWidget *m_list;
};

// How a window asks the user for a chapter: ChapterDialog::Choose unless a host (the tests) puts
// another in its place.
using ChapterChooser = std::function<std::optional<int>(QWidget *parent, const ChapterList &chapters, int current)>;
