#include "ChapterDialog.h"
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kIndexRole = Qt::UserRole;
}

ChapterDialog::ChapterDialog(const ChapterList &chapters, int current, QWidget *parent)
    : QDialog(parent), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("frmMuLu"));
    setWindowTitle(QStringLiteral("目录"));
    m_list->setObjectName(QStringLiteral("lstMuLu"));
    m_list->setAccessibleName(QStringLiteral("目录"));
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    if (!chapters.headingsFound()) {
        auto *none = new QTreeWidgetItem(m_list, {QStringLiteral("没有找到章节")});
        none->setFlags(Qt::ItemIsEnabled);
    }
    QTreeWidgetItem *volume = nullptr;
    for (int i = 0; i < chapters.size(); ++i) {
        QTreeWidgetItem *item = AddEntry(chapters, i, volume);
        if (chapters.at(i).level == HeadingLevel::Volume)
            volume = item;
        if (i == current)
            m_list->setCurrentItem(item);
    }
    m_list->expandAll();
    if (m_list->currentItem())
        m_list->scrollToItem(m_list->currentItem(), QAbstractItemView::PositionAtCenter);
    // A double click and Enter choose the entry; Enter also reaches the default button.
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (item && item->data(0, kIndexRole).isValid())
            accept();
    });

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdQueDing"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdQuXiao"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(420, 520);
    m_list->setFocus();
}

QTreeWidgetItem *ChapterDialog::AddEntry(const ChapterList &chapters, int index, QTreeWidgetItem *volume)
{
    const Chapter &entry = chapters.at(index);
    const bool inVolume = volume && entry.level == HeadingLevel::Chapter;
    auto *item = inVolume ? new QTreeWidgetItem(volume, {entry.title}) : new QTreeWidgetItem(m_list, {entry.title});
    item->setData(0, kIndexRole, index);
    item->setData(0, Qt::AccessibleTextRole, entry.title);
    return item;
}

std::optional<int> ChapterDialog::ChosenIndex() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item || !item->isSelected() || !item->data(0, kIndexRole).isValid())
        return std::nullopt;
    return item->data(0, kIndexRole).toInt();
}

std::optional<int> ChapterDialog::Choose(QWidget *parent, const ChapterList &chapters, int current)
{
    ChapterDialog dialog(chapters, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenIndex();
}
