// The read-aloud window's menu bar: every command beyond the bar's original controls, each with
// its shortcut, under 文件, 朗读, 章节, 设置 and 帮助. Commands made elsewhere join a menu through
// AddToMenu.
#include "SleepTimer.h"
#include "frmTTS.h"
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QShortcut>

namespace {
QAction *Command(QMenu *menu, const QString &text, const QKeySequence &keys, const char *name)
{
    QAction *action = menu->addAction(text);
    action->setShortcut(keys);
    action->setObjectName(QLatin1String(name));
    return action;
}
}

void frmTTS::createMenuBar()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("mnuCaiDan"));
    const char *titles[] = {"文件(&F)", "朗读(&R)", "章节(&C)", "设置(&S)", "帮助(&H)"};
    for (std::size_t i = 0; i < m_menus.size(); ++i)
        m_menus[i] = m_menuBar->addMenu(QString::fromUtf8(titles[i]));
    fillFileAndReadingMenus();
    fillChapterSettingsAndHelpMenus();
    placeAddedCommands();
    // Each menu is met by its title, without the key that opens it.
    for (QMenu *each : m_menuBar->findChildren<QMenu *>())
        each->setAccessibleName(QString(each->title()).remove(QRegularExpression(QStringLiteral("\\(&.\\)"))));
    // F10 opens the menu bar from the keyboard, as on other desktops.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { m_menuBar->setActiveAction(m_menus.front()->menuAction()); });
}

void frmTTS::fillFileAndReadingMenus()
{
    QMenu *file = menu(Menu::File);
    connect(Command(file, QStringLiteral("打开(&O)…"), QKeySequence::Open, "mnuDaKai"), &QAction::triggered, this,
            &frmTTS::cmdDaKai_Click);
    QMenu *recent = file->addMenu(QStringLiteral("最近打开(&R)"));
    recent->setObjectName(QStringLiteral("mnuZuiJin"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecentMenu(recent); });
    // The key pops the list up as the button does.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this), &QShortcut::activated, this,
            &frmTTS::cmdZuiJin_Click);
    connect(Command(file, QStringLiteral("导出音频(&E)…"), QKeySequence(Qt::CTRL | Qt::Key_E), "mnuDaoChu"),
            &QAction::triggered, this, &frmTTS::cmdDaoChu_Click);

    QMenu *reading = menu(Menu::Reading);
    connect(Command(reading, QStringLiteral("边听边看(&K)"), QKeySequence(Qt::CTRL | Qt::Key_K), "mnuBianTingBianKan"),
            &QAction::triggered, this, &frmTTS::cmdBianTingBianKan_Click);
    QMenu *timer = reading->addMenu(QStringLiteral("定时停止(&T)"));
    timer->setObjectName(QStringLiteral("mnuDingShi"));
    const QStringList choices = SleepTimer::captions();
    for (int i = 0; i < choices.size(); ++i)
        connect(timer->addAction(choices.at(i)), &QAction::triggered, this, [this, i] { ChooseSleepTimer(i); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this), &QShortcut::activated, this,
            &frmTTS::cmdDingShi_Click);
}

void frmTTS::fillChapterSettingsAndHelpMenus()
{
    QMenu *chapters = menu(Menu::Chapters);
    connect(Command(chapters, QStringLiteral("目录(&L)…"), QKeySequence(Qt::CTRL | Qt::Key_G), "mnuMuLu"),
            &QAction::triggered, this, &frmTTS::cmdMuLu_Click);
    connect(Command(chapters, QStringLiteral("上一章(&P)"), QKeySequence(Qt::CTRL | Qt::Key_PageUp), "mnuShangYiZhang"),
            &QAction::triggered, this, &frmTTS::cmdShangYiZhang_Click);
    connect(Command(chapters, QStringLiteral("下一章(&N)"), QKeySequence(Qt::CTRL | Qt::Key_PageDown), "mnuXiaYiZhang"),
            &QAction::triggered, this, &frmTTS::cmdXiaYiZhang_Click);

    QMenu *settings = menu(Menu::Settings);
    connect(Command(settings, QStringLiteral("调整语音(&V)…"), QKeySequence(Qt::CTRL | Qt::Key_Comma), "mnuPeiZhi"),
            &QAction::triggered, this, &frmTTS::cmdPeiZhi_Click);
    QMenu *encoding = settings->addMenu(QStringLiteral("编码(&B)"));
    encoding->setObjectName(QStringLiteral("mnuBianMa"));
    // The choices of the encoding box, the one it shows ticked; a choice is made as in the box.
    connect(encoding, &QMenu::aboutToShow, this, [this, encoding] {
        encoding->clear();
        for (int i = 0; i < cboBianMa->count(); ++i) {
            QAction *choice = encoding->addAction(cboBianMa->itemText(i), this, [this, i] {
                cboBianMa->setCurrentIndex(i);
                cboBianMa_Click();
            });
            choice->setCheckable(true);
            choice->setChecked(i == cboBianMa->currentIndex());
        }
    });

    connect(Command(menu(Menu::Help), QStringLiteral("关于 Tarrowin(&A)"), QKeySequence::HelpContents, "mnuGuanYu"),
            &QAction::triggered, this, [this] {
                QMessageBox::about(this, QStringLiteral("关于 Tarrowin"),
                                   QStringLiteral("Tarrowin " TARROWIN_VERSION "\n朗读中文小说，也可以一页一页地看。"));
            });
}

// The commands the window's other parts made (the text rules, speed and sentences, the shelf and
// the bookmarks), each after a separator in its menu.
void frmTTS::placeAddedCommands()
{
    const std::pair<Menu, QStringList> added[] = {
        {Menu::File, {QStringLiteral("actShelf")}},
        {Menu::Reading,
         {QStringLiteral("actYuSu"), QStringLiteral("actJiaKuaiYuSu"), QStringLiteral("actFangManYuSu"), QStringLiteral("actShangYiJu"),
          QStringLiteral("actXiaYiJu"), QStringLiteral("actChongDuBenJu")}},
        {Menu::Chapters,
         {QStringLiteral("actAddBookmark"), QStringLiteral("actBookmarks"), QStringLiteral("actExportBookmarks")}},
        {Menu::Settings, {QStringLiteral("actRules")}},
    };
    for (const auto &[which, names] : added) {
        menu(which)->addSeparator();
        for (const QString &name : names)
            if (QAction *action = findChild<QAction *>(name, Qt::FindDirectChildrenOnly))
                AddToMenu(which, action);
    }
}

QMenu *frmTTS::menu(Menu which) const
{
    return m_menus.at(std::size_t(which));
}

void frmTTS::AddToMenu(Menu which, QAction *action)
{
    menu(which)->addAction(action);
}
