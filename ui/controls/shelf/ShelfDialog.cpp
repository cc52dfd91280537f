#include "ShelfDialog.h"
#include "Shelf.h"
#include "ShelfModel.h"
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QPushButton *AddButton(QDialogButtonBox *box, const QString &caption, QDialogButtonBox::ButtonRole role,
                       const char *name)
{
    QPushButton *button = box->addButton(caption, role);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    return button;
}
}

ShelfDialog::ShelfDialog(Shelf *shelf, const QString &voice, QWidget *parent)
    : QDialog(parent), m_shelf(shelf), m_model(new ShelfModel(shelf, this)), m_proxy(new QSortFilterProxyModel(this))
{
    setObjectName(QStringLiteral("dlgShelf"));
    setWindowTitle(QStringLiteral("书架"));
    setAccessibleName(QStringLiteral("书架"));
    m_model->setVoice(voice);
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortRole(ShelfModel::SortRole);
    m_proxy->setFilterKeyColumn(-1);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setSortLocaleAware(true);

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("txtShelfFilter"));
    m_filter->setAccessibleName(QStringLiteral("筛选书架"));
    m_filter->setPlaceholderText(QStringLiteral("输入文字筛选"));
    auto *filterLabel = new QLabel(QStringLiteral("筛选(&F)："), this);
    filterLabel->setBuddy(m_filter);
    connect(m_filter, &QLineEdit::textChanged, m_proxy, &QSortFilterProxyModel::setFilterFixedString);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblShelf"));
    m_table->setAccessibleName(QStringLiteral("书架上的小说"));
    m_table->setModel(m_proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(ShelfModel::LastRead, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < ShelfModel::ColumnCount; ++column)
        connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + column)), this), &QShortcut::activated,
                this, [this, column] { sortBy(column); });
    // Enter reaches "打开", the default button; a double click opens as well.
    connect(m_table, &QTableView::doubleClicked, this, &ShelfDialog::openCurrent);
    m_table->installEventFilter(this);
    m_filter->installEventFilter(this);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *open = AddButton(buttons, QStringLiteral("打开(&O)"), QDialogButtonBox::AcceptRole, "cmdShelfOpen");
    QPushButton *forget = AddButton(buttons, QStringLiteral("移出书架"), QDialogButtonBox::ActionRole, "cmdShelfForget");
    QPushButton *folder = AddButton(buttons, QStringLiteral("添加文件夹…"), QDialogButtonBox::ActionRole, "cmdShelfAddFolder");
    AddButton(buttons, QStringLiteral("关闭"), QDialogButtonBox::RejectRole, "cmdShelfClose");
    open->setDefault(true);
    connect(open, &QPushButton::clicked, this, &ShelfDialog::openCurrent);
    connect(forget, &QPushButton::clicked, this, &ShelfDialog::forgetCurrent);
    connect(folder, &QPushButton::clicked, this, &ShelfDialog::addFolder);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(m_filter);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(900, 480);
    m_table->resizeColumnsToContents();
    m_filter->setFocus();
    if (m_proxy->rowCount() > 0)
        m_table->selectRow(0);
}

QString ShelfDialog::currentPath() const
{
    QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        current = m_proxy->index(0, 0);
    return m_model->pathAt(m_proxy->mapToSource(current).row());
}

// In the filter box the arrow and page keys move through the table and Enter opens; in the table
// typed text goes on into the filter.
bool ShelfDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_filter) {
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_table, event);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            openCurrent();
            return true;
        default:
            break;
        }
    } else if (watched == m_table && !key->text().isEmpty() && key->text().at(0).isPrint()
               && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        m_filter->setFocus();
        m_filter->insert(key->text());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShelfDialog::openCurrent()
{
    const QString path = currentPath();
    if (path.isEmpty())
        return;
    emit openRequested(path);
    accept();
}

void ShelfDialog::forgetCurrent()
{
    const int row = m_table->currentIndex().row();
    const QString path = currentPath();
    if (path.isEmpty())
        return;
    m_shelf->forget(path);
    m_table->selectRow(std::min(row, m_proxy->rowCount() - 1));
}

void ShelfDialog::sortBy(int column)
{
    const QHeaderView *header = m_table->horizontalHeader();
    const bool again = header->sortIndicatorSection() == column;
    const Qt::SortOrder order = again && header->sortIndicatorOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                                            : Qt::AscendingOrder;
    m_table->sortByColumn(column, order);
}

void ShelfDialog::addFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("添加文件夹"));
    if (!folder.isEmpty())
        m_shelf->addFolder(folder);
}
