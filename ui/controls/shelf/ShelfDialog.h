#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class Shelf;
class ShelfModel;

// "书架": the novels on the shelf in a table, sorted by any column (a click on its header, or
// Ctrl+1 to Ctrl+9 for the columns in order, again for the other direction), filtered by what is
// typed, the novel under the cursor opened with Enter at its place. "移出书架" takes it off the
// shelf and leaves its files alone; "添加文件夹…" adds a folder to watch.
class ShelfDialog : public QDialog
{
    Q_OBJECT
public:
    ShelfDialog(Shelf *shelf, const QString &voice, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    QLineEdit *filter() const { return m_filter; }
    // The path of the novel the cursor is on (the first one shown when none is chosen).
    QString currentPath() const;

signals:
    // Enter, a double click or "打开": the novel at `path` is to be opened at its place.
    void openRequested(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openCurrent();
    void forgetCurrent();
    void addFolder();
    void sortBy(int column);

    Shelf *m_shelf;
    ShelfModel *m_model;
    QSortFilterProxyModel *m_proxy;
    QLineEdit *m_filter;
    QTableView *m_table;
};
