#include "BookmarkDialog.h"
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

BookmarkDialog::BookmarkDialog(const QList<Bookmark> &marks, const ChapterList &chapters, QWidget *parent)
    : QDialog(parent), m_marks(marks), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("dlgBookmarks"));
    setWindowTitle(QStringLiteral("书签"));
    setAccessibleName(QStringLiteral("书签"));
    std::stable_sort(m_marks.begin(), m_marks.end(), [](const Bookmark &a, const Bookmark &b) { return a.at < b.at; });
    m_list->setObjectName(QStringLiteral("lstBookmarks"));
    m_list->setAccessibleName(QStringLiteral("书签列表"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("章节"), QStringLiteral("开头"), QStringLiteral("备注"), QStringLiteral("时间")});
    // Enter reaches "转到", the default button; a double click chooses as well.
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &BookmarkDialog::choose);
    fill(chapters);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *go = buttons->addButton(QStringLiteral("转到(&G)"), QDialogButtonBox::AcceptRole);
    QPushButton *remove = buttons->addButton(QStringLiteral("删除(&D)"), QDialogButtonBox::ActionRole);
    QPushButton *exportMarks = buttons->addButton(QStringLiteral("导出书签…"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    go->setObjectName(QStringLiteral("cmdBookmarkGo"));
    remove->setObjectName(QStringLiteral("cmdBookmarkRemove"));
    exportMarks->setObjectName(QStringLiteral("cmdBookmarkExport"));
    go->setDefault(true);
    connect(go, &QPushButton::clicked, this, &BookmarkDialog::choose);
    connect(remove, &QPushButton::clicked, this, &BookmarkDialog::removeCurrent);
    connect(exportMarks, &QPushButton::clicked, this, &BookmarkDialog::exportRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(720, 400);
    m_list->setFocus();
}

void BookmarkDialog::fill(const ChapterList &chapters)
{
    m_list->clear();
    for (const Bookmark &mark : std::as_const(m_marks))
        m_list->addTopLevelItem(new QTreeWidgetItem(
            {chapters.titleAt(mark.at), FirstWords(mark), mark.note.simplified(),
             mark.when.toString(QStringLiteral("yyyy-MM-dd HH:mm"))}));
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->resizeColumnToContents(column);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

void BookmarkDialog::choose()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0)
        return;
    m_chosen = m_marks.at(row);
    accept();
}

void BookmarkDialog::removeCurrent()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0)
        return;
    m_marks.removeAt(row);
    delete m_list->takeTopLevelItem(row);
}
