#include "RulesDialog.h"
#include "ReplaceFile.h"
#include "RuleFile.h"
#include "TextRules.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <typename W>
W *Named(W *widget, const char *objectName, const QString &accessibleName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

QPlainTextEdit *TestPane(const char *objectName, const QString &name)
{
    auto *pane = Named(new QPlainTextEdit, objectName, name);
    pane->setReadOnly(true);
    pane->setTabChangesFocus(true);
    return pane;
}
}

RulesDialog::RulesDialog(const RuleBookFiles &files, const QString &piece, QWidget *parent)
    : QDialog(parent), m_book(files), m_hasNovel(!files.novelToWrite.isEmpty()), m_piece(piece)
{
    setObjectName(QStringLiteral("frmJingHua"));
    setWindowTitle(QStringLiteral("净化规则"));
    m_before = TestPane("txtYuanWen", QStringLiteral("原文"));
    m_after = TestPane("txtJingHuaHou", QStringLiteral("净化后"));
    m_status = Named(new QLabel(m_book.fault()), "lblZhuangTai", QStringLiteral("状态"));
    m_status->setWordWrap(true);
    auto *top = new QHBoxLayout;
    top->addWidget(createList(), 1);
    top->addWidget(createFields(), 1);
    auto *test = new QHBoxLayout;
    for (QPlainTextEdit *pane : {m_before, m_after}) {
        auto *column = new QVBoxLayout;
        auto *label = new QLabel(pane->accessibleName());
        label->setBuddy(pane);
        column->addWidget(label);
        column->addWidget(pane);
        test->addLayout(column);
    }
    auto *box = new QDialogButtonBox;
    QPushButton *ok = box->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdQueDing"));
    ok->setDefault(true);
    box->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdQuXiao"));
    connect(box, &QDialogButtonBox::accepted, this, &RulesDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 2);
    layout->addLayout(test, 1);
    layout->addWidget(m_status);
    layout->addWidget(box);
    m_before->setPlainText(m_piece);
    showList(0);
    resize(760, 560);
    m_list->setFocus();
}

QWidget *RulesDialog::createList()
{
    auto *panel = new QWidget;
    m_list = Named(new QListWidget, "lstGuiZe", QStringLiteral("规则列表"));
    connect(m_list, &QListWidget::currentRowChanged, this, &RulesDialog::showRule);
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (m_showing)
            return;
        m_book.rule(m_list->row(item)).enabled = item->checkState() == Qt::Checked;
        showTest();
    });
    auto *label = new QLabel(QStringLiteral("规则(&L)："));
    label->setBuddy(m_list);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(createButtons());
    return panel;
}

QWidget *RulesDialog::createButtons()
{
    auto *row = new QWidget;
    auto *layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    int placed = 0;
    // The caption with its access key; the accessible name is the caption without it.
    const auto add = [&](const char *objectName, const QString &name, const QString &key, auto action) {
        auto *button = new QPushButton(QStringLiteral("%1(&%2)").arg(name, key));
        button->setObjectName(QString::fromLatin1(objectName));
        button->setAccessibleName(name);
        connect(button, &QPushButton::clicked, this, action);
        layout->addWidget(button, placed / 4, placed % 4);
        ++placed;
    };
    add("cmdXinJian", QStringLiteral("新建"), QStringLiteral("N"), [this] {
        TextRule rule;
        rule.name = QStringLiteral("新规则");
        rule.enabled = false;
        m_book.append(rule);
        showList(int(m_book.rules().size()) - 1);
        m_pattern->setFocus();
    });
    add("cmdShanChu", QStringLiteral("删除"), QStringLiteral("D"), [this] {
        m_book.remove(current());
        showList(current());
    });
    add("cmdShangYi", QStringLiteral("上移"), QStringLiteral("U"), [this] {
        m_book.move(current(), -1);
        showList(current() - 1);
    });
    add("cmdXiaYi", QStringLiteral("下移"), QStringLiteral("W"), [this] {
        m_book.move(current(), 1);
        showList(current() + 1);
    });
    add("cmdYuShe", QStringLiteral("加入预设"), QStringLiteral("P"), [this] {
        const int added = m_book.addPresets();
        m_status->setText(QStringLiteral("加入了 %1 条预设规则，勾选后生效").arg(added));
        showList(current());
    });
    add("cmdDaoRu", QStringLiteral("导入…"), QStringLiteral("I"), [this] { importFile(); });
    add("cmdDaoChu", QStringLiteral("导出…"), QStringLiteral("E"), [this] { exportFile(); });
    return row;
}

QWidget *RulesDialog::createFields()
{
    auto *panel = new QWidget;
    auto *form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    m_name = Named(new QLineEdit, "txtMingCheng", QStringLiteral("名称"));
    m_pattern = Named(new QLineEdit, "txtChaZhao", QStringLiteral("查找"));
    m_replacement = Named(new QLineEdit, "txtTiHuan", QStringLiteral("替换为"));
    m_replacement->setPlaceholderText(QStringLiteral("留空则删去"));
    m_regex = Named(new QCheckBox(QStringLiteral("正则表达式(&R)")), "chkZhengZe", QStringLiteral("正则表达式"));
    m_scope = Named(new QComboBox, "cboFanWei", QStringLiteral("范围"));
    m_scope->addItems({ScopeText(RuleScope::Speech), ScopeText(RuleScope::SpeechAndPage)});
    m_where = Named(new QComboBox, "cboShiYong", QStringLiteral("适用于"));
    m_where->addItems({QStringLiteral("所有小说"), QStringLiteral("本书")});
    m_fault = Named(new QLabel, "lblCuoWu", QStringLiteral("规则错误"));
    m_fault->setWordWrap(true);
    form->addRow(QStringLiteral("名称(&M)："), m_name);
    form->addRow(QStringLiteral("查找(&F)："), m_pattern);
    form->addRow(QStringLiteral("替换为(&T)："), m_replacement);
    form->addRow(QString(), m_regex);
    form->addRow(QStringLiteral("范围(&S)："), m_scope);
    form->addRow(QStringLiteral("适用于(&A)："), m_where);
    form->addRow(QString(), m_fault);
    for (QLineEdit *edit : {m_name, m_pattern, m_replacement})
        connect(edit, &QLineEdit::textEdited, this, &RulesDialog::takeFields);
    connect(m_regex, &QCheckBox::toggled, this, &RulesDialog::takeFields);
    connect(m_scope, &QComboBox::currentIndexChanged, this, &RulesDialog::takeFields);
    connect(m_where, &QComboBox::currentIndexChanged, this, &RulesDialog::takeFields);
    return panel;
}

int RulesDialog::current() const
{
    return m_list->currentRow();
}

void RulesDialog::showList(int row)
{
    m_showing = true;
    m_list->clear();
    for (const TextRule &rule : m_book.rules()) {
        auto *item = new QListWidgetItem(rule.novelOnly ? QStringLiteral("%1（本书）").arg(rule.name) : rule.name, m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(rule.enabled ? Qt::Checked : Qt::Unchecked);
    }
    m_showing = false;
    const int last = int(m_book.rules().size()) - 1;
    m_list->setCurrentRow(last < 0 ? -1 : std::clamp(row, 0, last));
    showRule();
}

void RulesDialog::showRule()
{
    const int row = current();
    const bool any = row >= 0;
    for (QWidget *field : std::initializer_list<QWidget *>{m_name, m_pattern, m_replacement, m_regex, m_scope})
        field->setEnabled(any);
    m_where->setEnabled(any && m_hasNovel);
    const TextRule rule = any ? m_book.rules()[row] : TextRule();
    m_showing = true;
    m_name->setText(rule.name);
    m_pattern->setText(rule.pattern);
    m_replacement->setText(rule.replacement);
    m_regex->setChecked(rule.isRegex);
    m_scope->setCurrentIndex(rule.scope == RuleScope::Speech ? 0 : 1);
    m_where->setCurrentIndex(rule.novelOnly ? 1 : 0);
    m_showing = false;
    m_fault->setText(any ? PatternFault(rule) : QString());
    showTest();
}

void RulesDialog::takeFields()
{
    const int row = current();
    if (m_showing || row < 0)
        return;
    TextRule &rule = m_book.rule(row);
    rule.name = m_name->text();
    rule.pattern = m_pattern->text();
    rule.replacement = m_replacement->text();
    rule.isRegex = m_regex->isChecked();
    rule.scope = m_scope->currentIndex() == 0 ? RuleScope::Speech : RuleScope::SpeechAndPage;
    rule.novelOnly = m_where->currentIndex() == 1;
    m_showing = true;
    m_list->item(row)->setText(rule.novelOnly ? QStringLiteral("%1（本书）").arg(rule.name) : rule.name);
    m_showing = false;
    m_fault->setText(PatternFault(rule));
    showTest();
}

// The piece after the rules turned on, as the voice would say it.
void RulesDialog::showTest()
{
    TextRules rules(m_book.rules());
    m_after->setPlainText(rules.apply(m_piece, RuleScope::Speech).text());
    const QStringList off = rules.takeTurnedOff();
    if (!off.isEmpty())
        m_status->setText(off.join(u'\n'));
}

void RulesDialog::importFile()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("导入净化规则"), QString(),
                                                      QStringLiteral("规则文件 (*.json *.txt);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    const std::optional<ParsedRules> parsed = file.open(QIODevice::ReadOnly) ? ParseRules(file.readAll(), true) : std::nullopt;
    if (!parsed) {
        m_status->setText(QStringLiteral("%1 不是规则文件，没有导入").arg(QFileInfo(path).fileName()));
        return;
    }
    m_book.import(parsed->rules);
    const QString summary = QStringLiteral("导入 %1 条规则，拒绝 %2 条").arg(parsed->rules.size()).arg(parsed->refused.size());
    m_status->setText((QStringList{summary} + parsed->refused + parsed->notes).join(u'\n'));
    showList(int(m_book.rules().size()) - 1);
}

void RulesDialog::exportFile()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出净化规则"), QStringLiteral("净化规则.json"),
                                                      QStringLiteral("规则文件 (*.json)"));
    if (path.isEmpty())
        return;
    m_status->setText(ReplaceFile(path, RulesJson(m_book.rules()))
                          ? QStringLiteral("导出了 %1 条规则").arg(m_book.rules().size())
                          : QStringLiteral("无法写入 %1").arg(QFileInfo(path).fileName()));
}

void RulesDialog::accept()
{
    const QString fault = m_book.save();
    if (!fault.isEmpty()) {
        m_status->setText(fault);
        return;
    }
    QDialog::accept();
}
