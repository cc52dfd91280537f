#include "frmRead.h"
#include "ChapterLoader.h"
#include "FormAccessible.h"
#include "FormGeometry.h"
#include "FormTimer.h"
#include "KaiFont.h"
#include "NovelName.h"
#include "PageSession.h"
#include "ProgramFolder.h"
#include "ScrollSurface.h"
#include "TextBox.h"
#include "ReadAloudSide.h"
#include "kxDesign.h"
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <cmath>

namespace {

// Design size of the client area, in twips.
constexpr double DesignClientWidth = 6255;
constexpr double DesignClientHeight = 6480;
constexpr double SideBarWidth = 1350;

TextBox *MakeBox(QWidget *parent, const char *name, const QString &text, const QString &toolTip, bool multiLine)
{
    auto *box = new TextBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QLatin1String(name));
    box->setMultiLine(multiLine);
    box->setText(text);
    box->setToolTip(toolTip);
    return box;
}

std::optional<QColor> ColourDialog(QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(Qt::white, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

std::optional<QFont> FontDialog(QWidget *parent, const QFont &initial)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
}

}

frmRead::frmRead(ReadAloudSide *tts, QWidget *parent)
    : QWidget(parent), m_tts(tts), m_colourChooser(ColourDialog), m_fontChooser(FontDialog),
      m_chapterChooser(ChapterDialog::Choose), m_chapters(new ChapterLoader(this)), m_pages(new PageSession(this))
{
    setObjectName(QStringLiteral("frmRead"));
    FormAccessible::ExposeAsWindow(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAcceptDrops(true);
    KaiFont::InstallSubstitute();
    CreateControls();
    CreateFollowControls();
    CreateStatusLine();
    CreateMenu();
    CreateBookmarkCommands();
    ConnectReactions();
    BindPages();
    WatchKeysAndMouse();
    FollowChapterInTitle();
    NameControlsForScreenReaders();
    ApplyDesignLook();
}

// The page box's design font and colours, and the window's design size.
void frmRead::ApplyDesignLook()
{
    for (TextBox *box : {txtTarrowin, txtGunDong}) {
        QFont font(KaiFont::DesignFamily);
        font.setPointSizeF(21.75);
        box->setFont(font);
    }
    setTextColour(0xE0E0E0);
    setBackgroundColour(0);
    const double tpp = TwipsPerPixel();
    resize(int(std::lround(DesignClientWidth / tpp)), int(std::lround(DesignClientHeight / tpp)));
}

frmRead::~frmRead() = default;

double frmRead::TwipsPerPixel() const
{
    return ::TwipsPerPixel(this);
}

void frmRead::PlaceInTwips(QWidget *widget, double left, double top, double width, double height) const
{
    ::PlaceInTwips(widget, {left, top, width, height}, TwipsPerPixel());
}

void frmRead::CreateControls()
{
    picButton = new QWidget(this);
    picButton->setObjectName(QStringLiteral("picButton"));
    picButton->setFocusPolicy(Qt::StrongFocus);
    picButton->setAutoFillBackground(true);
    CreateSideBar();

    txtChaZhao = MakeBox(this, "txtChaZhao", QString(), QStringLiteral("要查找的内容"), true);
    cmdFan[0] = PlaceButton(this, "cmdFan0", QStringLiteral("向下翻页"));
    cmdFan[1] = PlaceButton(this, "cmdFan1", QStringLiteral("向上翻页"));
    cmdYouBianLan = PlaceButton(this, "cmdYouBianLan", QStringLiteral("右边栏显"), QStringLiteral("右边栏"));
    cmdYouBianLan->hide();

    txtGunDong = MakeBox(this, "txtGunDong", QString(), QString(), true);
    txtGunDong->hide();
    FormAccessible::HideFromAssistiveTools(txtGunDong);
    txtTarrowin = MakeBox(this, "txtTarrowin", QString(),
                          QStringLiteral("点击右键（或按菜单键、Shift+F10）出现菜单：上面是编辑功能和所选文字的设置读音，下面是文字颜色、背景颜色、字体字号和右边栏。"),
                          true);
    for (TextBox *box : {txtTarrowin, txtGunDong}) {
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    Frame1 = new QWidget(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->hide();
    FormAccessible::HideFromAssistiveTools(Frame1);
    txtWeiZhi = MakeBox(Frame1, "txtWeiZhi", QStringLiteral("1"), QStringLiteral("这个是现在显示内容最后的结束点"), false);
    txtFenChangDu = MakeBox(Frame1, "txtFenChangDu", QStringLiteral("500"),
                            QStringLiteral("每次要从文件中读取多少个字节，程序自动分析中英文。"), false);
    CreateScrollControls();
}

void frmRead::CreateSideBar()
{
    struct Place { double left, top, width, height; };
    auto place = [this](QWidget *w, Place p) { PlaceInTwips(w, p.left, p.top, p.width, p.height); };
    QFont barFont = picButton->font();
    barFont.setPointSizeF(9);
    picButton->setFont(barFont);

    cmdRead[1] = PlaceButton(picButton, "cmdRead1", QStringLiteral("向前翻页"), QStringLiteral("功能键 PgUp 或 ←"));
    place(cmdRead[1], {30, 30, 1215, 945});
    txtYeShu[1] = MakeBox(picButton, "txtYeShu1", QStringLiteral("1"), QStringLiteral("向前翻的页数，双击调出预置前翻页数"), false);
    place(txtYeShu[1], {60, 1020, 735, 315});
    cmdYeShu[1] = PlaceButton(picButton, "cmdYeShu1", QStringLiteral("存"), QStringLiteral("保存预置前翻页数"));
    place(cmdYeShu[1], {810, 1020, 435, 315});
    lblLangDuBiLi = new QLabel(QStringLiteral("0"), picButton);
    lblLangDuBiLi->setObjectName(QStringLiteral("lblLangDuBiLi"));
    lblLangDuBiLi->setToolTip(QStringLiteral("已经朗读的百分比"));
    place(lblLangDuBiLi, {570, 1350, 135, 210});
    chkGengDuoXianShi = new QCheckBox(QStringLiteral("更多显示"), picButton);
    chkGengDuoXianShi->setObjectName(QStringLiteral("chkGengDuoXianShi"));
    place(chkGengDuoXianShi, {150, 1620, 1035, 210});
    chkGunDong = new QCheckBox(QStringLiteral("滚动"), picButton);
    chkGunDong->setObjectName(QStringLiteral("chkGunDong"));
    chkGunDong->setToolTip(QStringLiteral("功能键 F2 或 End"));
    place(chkGunDong, {150, 1920, 735, 210});
    lblGunDong = new QLabel(QStringLiteral("100"), picButton);
    lblGunDong->setObjectName(QStringLiteral("lblGunDong"));
    place(lblGunDong, {915, 1950, 270, 180});
    cmdGunDong[0] = PlaceButton(picButton, "cmdGunDong0", QStringLiteral("更慢"), QStringLiteral("功能键 ↑"));
    place(cmdGunDong[0], {30, 2160, 615, 345});
    cmdGunDong[1] = PlaceButton(picButton, "cmdGunDong1", QStringLiteral("更快"), QStringLiteral("功能键 ↓"));
    place(cmdGunDong[1], {660, 2160, 615, 345});
    for (kxButtons_H *b : cmdGunDong)
        b->setEnabled(false);
    cmdChaZhao = PlaceButton(picButton, "cmdChaZhao", QStringLiteral("查找"),
                            QStringLiteral("以左侧内容为依据，在整个文件中从头查找。找到后从这里开始显示。"));
    place(cmdChaZhao, {30, 2910, 615, 345});
    cmdKanDao = PlaceButton(picButton, "cmdKanDao", QStringLiteral("看到"));
    place(cmdKanDao, {660, 2910, 615, 345});
    CreateChapterButton();
    CreateEncodingLabel();
    txtYeShu[0] = MakeBox(picButton, "txtYeShu0", QStringLiteral("1"), QStringLiteral("向下翻的页数，双击调出预置下翻页数"), false);
    place(txtYeShu[0], {60, 5100, 735, 315});
    cmdYeShu[0] = PlaceButton(picButton, "cmdYeShu0", QStringLiteral("存"), QStringLiteral("保存预置下翻页数"));
    place(cmdYeShu[0], {810, 5100, 435, 315});
    cmdRead[0] = PlaceButton(picButton, "cmdRead0", QStringLiteral("向下翻页"), QStringLiteral("功能键 PgDn 或 →"));
    place(cmdRead[0], {30, 5460, 1215, 945});
}

void frmRead::CreateScrollControls()
{
    picTextXianShi = new ScrollSurface(this);
    picTextXianShi->setObjectName(QStringLiteral("picTextXianShi"));
    picTextXianShi->setAccessibleName(QStringLiteral("picTextXianShi"));
    picTextXianShi->hide();
    picTextGunDong = new ScrollSurface(this);
    picTextGunDong->setObjectName(QStringLiteral("picTextGunDong"));
    picTextGunDong->setAccessibleName(QStringLiteral("picTextGunDong"));
    picTextGunDong->hide();
    linGunDong = new QWidget(picTextGunDong);
    linGunDong->setObjectName(QStringLiteral("linGunDong"));
    linGunDong->setAutoFillBackground(true);
    cmdlblGunDong = PlaceButton(this, "cmdlblGunDong", QStringLiteral("100"));
    cmdlblGunDong->hide();
    tmrGunDong = new FormTimer(100, this);
    tmrGunDongTiShi = new FormTimer(800, this);
}

void frmRead::CreateMenu()
{
    mnuTanChu = new QMenu(QStringLiteral("弹出菜单"), this);
    mnuTanChu->setObjectName(QStringLiteral("mnuTanChu"));
    // The page box's edit items go above this separator each time the menu pops up.
    m_editSeparator = mnuTanChu->addSeparator();
    CreateReadFromHere();
    mnuSheZhiDuYin = mnuTanChu->addAction(QStringLiteral("设置读音(&D)…"));
    mnuTanChu->addSeparator();
    mnuWenZi = mnuTanChu->addAction(QStringLiteral("文字颜色"));
    mnuBeiJing = mnuTanChu->addAction(QStringLiteral("背景颜色"));
    mnuTanChu->addSeparator();
    mnuZiTiZiHao = mnuTanChu->addAction(QStringLiteral("字体字号"));
    mnuTanChu->addSeparator();
    mnuYouBianYinCang = mnuTanChu->addAction(QStringLiteral("隐藏右边栏"));
    mnuYouBianXianShi = mnuTanChu->addAction(QStringLiteral("显示右边栏"));
}

void frmRead::ConnectReactions()
{
    for (int i = 0; i < 2; ++i) {
        connect(cmdRead[i], &kxButtons_H::Click, this, [this, i] { cmdRead_Click(i); });
        connect(cmdFan[i], &kxButtons_H::Click, this, [this, i] { cmdFan_Click(i); });
        connect(cmdYeShu[i], &kxButtons_H::Click, this, [this, i] { cmdYeShu_Click(i); });
        connect(txtYeShu[i], &TextBox::DblClick, this, [this, i] { txtYeShu_DblClick(i); });
        connect(cmdGunDong[i], &kxButtons_H::Click, this, [this, i] { cmdGunDong_Click(i); });
    }
    connect(txtTarrowin, &TextBox::DblClick, this, &frmRead::txtTarrowin_DblClick);
    connect(cmdChaZhao, &kxButtons_H::Click, this, &frmRead::cmdChaZhao_Click);
    connect(cmdKanDao, &kxButtons_H::Click, this, &frmRead::cmdKanDao_Click);
    connect(cmdMuLu, &kxButtons_H::Click, this, &frmRead::cmdMuLu_Click);
    connect(m_chapters, &ChapterLoader::Ready, cmdMuLu, [this] { cmdMuLu->setEnabled(true); });
    connect(cmdYouBianLan, &kxButtons_H::Click, this, &frmRead::cmdYouBianLan_Click);
    connect(cmdlblGunDong, &kxButtons_H::Click, this, &frmRead::cmdlblGunDong_Click);
    connect(chkGengDuoXianShi, &QCheckBox::stateChanged, this, &frmRead::chkGengDuoXianShi_Click);
    connect(chkGunDong, &QCheckBox::stateChanged, this, &frmRead::chkGunDong_Click);
    connect(tmrGunDong, &FormTimer::Timer, this, &frmRead::tmrGunDong_Timer);
    connect(tmrGunDongTiShi, &FormTimer::Timer, this, &frmRead::tmrGunDongTiShi_Timer);
    for (ScrollSurface *surface : {picTextXianShi, picTextGunDong}) {
        connect(surface, &ScrollSurface::MouseUp, this, [this](Qt::MouseButton button, QPoint at) {
            picText_MouseUp(button, at.y() * TwipsPerPixel());
        });
    }
    connect(mnuSheZhiDuYin, &QAction::triggered, this, &frmRead::mnuSheZhiDuYin_Click);
    connect(mnuWenZi, &QAction::triggered, this, &frmRead::mnuWenZi_Click);
    connect(mnuBeiJing, &QAction::triggered, this, &frmRead::mnuBeiJing_Click);
    connect(mnuZiTiZiHao, &QAction::triggered, this, &frmRead::mnuZiTiZiHao_Click);
    connect(mnuYouBianYinCang, &QAction::triggered, this, &frmRead::mnuYouBianYinCang_Click);
    connect(mnuYouBianXianShi, &QAction::triggered, this, &frmRead::mnuYouBianXianShi_Click);
}

// Key preview: every key release inside the window reaches the window first. The mouse over
// the page box is followed for the double click, the right button and the floating buttons.
void frmRead::WatchKeysAndMouse()
{
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    txtTarrowin->viewport()->setMouseTracking(true);
    txtTarrowin->setMouseTracking(true);
}

QString frmRead::TextFilePath() const
{
    return NovelFilePath(m_tts->novelName());
}

Novel frmRead::CurrentNovel() const
{
    return m_tts->currentNovel();
}

Novel frmRead::SideFile(const QString &suffix) const
{
    return Novel{::SideFilePath(m_tts->novelName(), suffix), CurrentNovel().encoding};
}

void frmRead::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedNovel(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// The read-aloud window opens the novel (this window hands its page back first), then the reader
// shows it again, now on the new novel.
void frmRead::dropEvent(QDropEvent *event)
{
    const QString path = DroppedNovel(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_tts->openInReader(path);
}
