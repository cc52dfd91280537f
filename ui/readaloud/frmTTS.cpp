#include "frmTTS.h"
#include "AudioExportDialog.h"
#include "ChapterLoader.h"
#include "EspeakVoice.h"
#include "FormAccessible.h"
#include "FormGeometry.h"
#include "HomePage.h"
#include "KeptWrite.h"
#include "PopUpCloser.h"
#include "ReadAloudDesign.h"
#include "ReadAloudLayout.h"
#include "ReadAloudMessages.h"
#include "ReadingSession.h"
#include "SideFileWriter.h"
#include "SingleInstance.h"
#include "SpeechSettingsDialog.h"
#include "StatusLine.h"
#include "TextBox.h"
#include "kxButtons_H.h"
#include "kxDesign.h"
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QMenuBar>
#include <QTimer>
#include <cmath>

namespace {
using namespace ReadAloudDesign;

TextBox *MakeBox(QWidget *parent, const char *name, const QString &toolTip, bool multiLine)
{
    auto *box = new TextBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setMultiLine(multiLine);
    box->setToolTip(toolTip);
    box->setAccessibleName(toolTip.isEmpty() ? QLatin1String(name) : toolTip);
    return box;
}
}

frmTTS::frmTTS(QWidget *parent) : QWidget(parent), m_session(new ReadingSession(this))
{
    setObjectName(QStringLiteral("frmTTS"));
    FormAccessible::ExposeAsWindow(this);
    setWindowTitle(QStringLiteral("Tarrowin"));
    m_urlOpener = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    m_voiceFactory = [] { return std::unique_ptr<SpeechVoice>(CreateUserVoice(nullptr)); };
    m_speechSettingsOpener = ShowSpeechSettingsDialog;
    m_lockPath = SingleInstance::DefaultLockPath();
    m_chapterChooser = ChapterDialog::Choose;
    m_chapters = m_session->chapters();
    m_events = new ReadAloudEvents(this);
    setAcceptDrops(true);
    createControls();
    createButtonBar();
    createChapterButtons();
    createSleepTimer();
    createRulesAction();
    bindSession();
    createRhythmActions();
    connectReactions();
    connectChapterReactions();
    createShelf();
    createMenuBar();
    NameControlsForScreenReaders();
    SizeToShowEverything();
    move(0, 0);
}

frmTTS::~frmTTS()
{
    delete m_reader;
    m_sideFiles->flush(); // while the status line that reports a failure is still there
}

double frmTTS::twipsPerPixel() const
{
    return TwipsPerPixel(this);
}

TwipsRect frmTTS::twips(const QWidget *w) const
{
    return TwipsOf(w, twipsPerPixel());
}

void frmTTS::place(QWidget *w, const TwipsRect &r) const
{
    PlaceInTwips(w, r, twipsPerPixel());
}

void frmTTS::createControls()
{
    txtLangDu = MakeBox(this, "txtLangDu", QStringLiteral("正在朗读的内容"), true);
    txtTTS = MakeBox(this, "txtTTS", QStringLiteral("准备朗读的内容"), true);
    txtChaZhao = MakeBox(this, "txtChaZhao", QStringLiteral("要查找的内容"), true);
    txtFilePathName = MakeBox(this, "txtFilePathName",
                              QStringLiteral("要朗读的文件的文件名，文件要放在同一个目录下。双击换文件。"), true);
    txtFilePathName->setText(QStringLiteral("双击这里开始\r\n"));

    picLangDuWenJian = new QWidget(this);
    picLangDuWenJian->setObjectName(QStringLiteral("picLangDuWenJian"));
    picLangDuWenJian->setAutoFillBackground(true);
    QPalette shadow = picLangDuWenJian->palette();
    shadow.setColor(QPalette::Window, palette().color(QPalette::Shadow));
    picLangDuWenJian->setPalette(shadow);
    filLangDuWenJian = new QListWidget(this);
    filLangDuWenJian->setObjectName(QStringLiteral("filLangDuWenJian"));
    filLangDuWenJian->setAccessibleName(QStringLiteral("filLangDuWenJian"));
    place(picLangDuWenJian, {0, 0, 0, kFileListHeight});
    place(filLangDuWenJian, {0, 0, 0, kFileListHeight});
    picLangDuWenJian->hide();
    filLangDuWenJian->hide();

    Frame1 = new QGroupBox(QStringLiteral("不可见"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->hide();
    FormAccessible::HideFromAssistiveTools(Frame1);
    tmrWWW = new QTimer(Frame1);
    tmrWWW->setObjectName(QStringLiteral("tmrWWW"));
    tmrWWW->setInterval(1000);
    tmrWWW->start();
    chkTingZhi = new QCheckBox(QStringLiteral("停止朗读"), Frame1);
    chkTingZhi->setObjectName(QStringLiteral("chkTingZhi"));
    txtWeiZhi = MakeBox(Frame1, "txtWeiZhi", QString(), false);
    txtWeiZhi->setText(QStringLiteral("1"));

    lblZhuangTai = new StatusLine(this);
    m_sideFiles = new SideFileWriter(this);
}

void frmTTS::createButtonBar()
{
    picButton = new QWidget(this);
    picButton->setObjectName(QStringLiteral("picButton"));
    cmdSpeak[0] = PlaceButton(picButton, "cmdSpeak0", QStringLiteral("开始朗读"));
    cmdSpeak[1] = PlaceButton(picButton, "cmdSpeak1", QStringLiteral("停止朗读"));
    cmdSpeak[2] = PlaceButton(picButton, "cmdSpeak2", QStringLiteral("暂停朗读"));
    cmdRead = PlaceButton(picButton, "cmdRead", QStringLiteral("看原文"));
    cmdPeiZhi = PlaceButton(picButton, "cmdPeiZhi", QStringLiteral("调整语音"));
    lblLangDuBiLi = new QLabel(QStringLiteral("0"), picButton);
    lblLangDuBiLi->setObjectName(QStringLiteral("lblLangDuBiLi"));
    lblLangDuBiLi->setToolTip(QStringLiteral("已经朗读的百分比"));
    lblLangDuBiLi->setAlignment(Qt::AlignCenter);
    txtFenChangDu = MakeBox(picButton, "txtFenChangDu",
                            QStringLiteral("每次要从文件中读取多少个字节，程序自动分析中英文。"), false);
    txtFenChangDu->setText(QStringLiteral("100"));
    chkFenDuanDu = new QCheckBox(QStringLiteral("分段朗读"), picButton);
    chkFenDuanDu->setObjectName(QStringLiteral("chkFenDuanDu"));
    chkFenDuanDu->setToolTip(QStringLiteral("这种方式下也可以让其他程序的朗读声音插入进来。"));
    cmdDaoChu = PlaceButton(picButton, "cmdDaoChu", QStringLiteral("导出音频…"),
                            QStringLiteral("把章节朗读成音频文件，可以在手机或播放器上听。"));
    cmdChaZhao = PlaceButton(picButton, "cmdChaZhao", QStringLiteral("查找朗读点"),
                            QStringLiteral("以左侧内容为依据，在整个文件中从头查找。找到后从这里开始朗读。"));
    cmdChongTou = new QPushButton(QStringLiteral("从头开始"), picButton);
    cmdChongTou->setObjectName(QStringLiteral("cmdChongTou"));
    cmdChongTou->setToolTip(QStringLiteral("从头朗读左侧这个文件。"));
    // The home-page button looks like a link: an ellipse whose edge shows only under the pointer.
    cmdHomePage = PlaceButton(picButton, "cmdHomePage",
                              kxDesign{{QStringLiteral("Caption"), QString()}, {QStringLiteral("Shape"), 4},
                                       {QStringLiteral("BackStyle"), 5}});

    place(cmdSpeak[0], kStart);
    place(cmdSpeak[1], kStop);
    place(cmdSpeak[2], kPause);
    place(cmdRead, kRead);
    place(cmdPeiZhi, kSpeechSettings);
    place(lblLangDuBiLi, kPercentage);
    place(txtFenChangDu, kPieceLength);
    place(chkFenDuanDu, kByPieces);
    place(cmdDaoChu, kExportAudio);
    createFollowAlongButton();
    place(cmdChaZhao, kSearch);
    place(cmdChongTou, kRestart);
    place(cmdHomePage, kHomePage);
    cmdChongTou->hide();
    FormAccessible::HideFromAssistiveTools(cmdChongTou);
    cmdDaKai = PlaceButton(picButton, "cmdDaKai", QStringLiteral("打开…"), QStringLiteral("打开任何文件夹里的小说（Ctrl+O）"));
    cmdZuiJin = PlaceButton(picButton, "cmdZuiJin", QStringLiteral("最近打开"), QStringLiteral("最近打开的十本小说（Ctrl+Shift+O）"));
    place(cmdDaKai, kOpen);
    place(cmdZuiJin, kRecent);
    createEncodingChoice();
}

void frmTTS::connectReactions()
{
    for (int i = 0; i < 3; ++i)
        connect(cmdSpeak[i], &kxButtons_H::Click, this, [this, i] { cmdSpeak_Click(i); });
    connect(cmdChaZhao, &kxButtons_H::Click, this, &frmTTS::cmdChaZhao_Click);
    connect(cmdChongTou, &QPushButton::clicked, this, &frmTTS::cmdChongTou_Click);
    connect(cmdRead, &kxButtons_H::Click, this, &frmTTS::cmdRead_Click);
    connect(cmdBianTingBianKan, &kxButtons_H::Click, this, &frmTTS::cmdBianTingBianKan_Click);
    connect(cmdPeiZhi, &kxButtons_H::Click, this, &frmTTS::cmdPeiZhi_Click);
    connect(cmdHomePage, &kxButtons_H::Click, this, &frmTTS::cmdHomePage_Click);
    connect(cmdDaoChu, &kxButtons_H::Click, this, &frmTTS::cmdDaoChu_Click);
    connect(cmdDaKai, &kxButtons_H::Click, this, &frmTTS::cmdDaKai_Click);
    connect(cmdZuiJin, &kxButtons_H::Click, this, &frmTTS::cmdZuiJin_Click);
    connect(tmrWWW, &QTimer::timeout, this, &frmTTS::tmrWWW_Timer);
    connect(chkFenDuanDu, &QCheckBox::stateChanged, this, [this] {
        m_session->setByPieces(chkFenDuanDu->isChecked());
        cmdSpeak_Click(1);
    });
    connect(txtFilePathName, &TextBox::Change, this, &frmTTS::txtFilePathName_Change);
    connect(txtFilePathName, &TextBox::DblClick, this, &frmTTS::txtFilePathName_DblClick);
    // A double click or Enter chooses; Escape or a click elsewhere closes the list.
    connect(filLangDuWenJian, &QListWidget::itemActivated, this, &frmTTS::filLangDuWenJian_DblClick);
    new PopUpCloser(filLangDuWenJian, {txtFilePathName}, [this] {
        if (filLangDuWenJian->hasFocus())
            txtFilePathName->setFocus();
        filLangDuWenJian->hide();
        picLangDuWenJian->hide();
    }, this);
    connect(lblZhuangTai, &StatusLine::shownChanged, this, &frmTTS::picButton_Resize);
    connect(m_sideFiles, &SideFileWriter::writeFailed, this, [this](const QString &path) {
        lblZhuangTai->say(ReadAloudMessages::PlaceNotSaved(QFileInfo(path).fileName()));
    });
    // A write kept in the state folder is said once, in this window when it is the one in front.
    connect(KeptWriteNotices::instance(), &KeptWriteNotices::keptElsewhere, this,
            [this](const QString &path, const QString &keptAt, int error) {
                if (FrontWindow() == this && !std::exchange(m_toldKeptElsewhere, true))
                    lblZhuangTai->say(KeptElsewhereText(path, keptAt, error));
            });
}

void frmTTS::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int barWidth = int(std::lround(kBarWidth / twipsPerPixel()));
    const int menuHeight = m_menuBar->heightForWidth(width()) > 0 ? m_menuBar->heightForWidth(width())
                                                                  : m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, width(), menuHeight);
    picButton->setGeometry(std::max(0, width() - barWidth), menuHeight, barWidth, height() - menuHeight);
    picButton_Resize();
}

// Arranges the window around the button bar, below the menu bar: the text boxes fill the area
// left of it, three buttons line up with their boxes, the file list sits above the file-name box,
// the bar's plain controls that would fall below the search button are hidden, and the rows
// added to the bar take the room left. A status line with a message takes one line at the
// bottom, and the boxes share what is left above it.
void frmTTS::picButton_Resize()
{
    const double tpp = twipsPerPixel();
    const int statusHeight = lblZhuangTai->isHidden() ? 0 : lblZhuangTai->sizeHint().height();
    lblZhuangTai->setGeometry(0, picButton->geometry().bottom() + 1 - statusHeight, picButton->x(), statusHeight);
    ReadAloudLayoutInput in;
    in.barLeft = picButton->x() * tpp;
    in.barHeight = (picButton->height() - statusHeight) * tpp;
    in.cmdChaZhao = twips(cmdChaZhao);
    in.cmdChongTou = twips(cmdChongTou);
    in.cmdHomePage = twips(cmdHomePage);
    in.picLangDuWenJian = twips(picLangDuWenJian);
    in.filLangDuWenJian = twips(filLangDuWenJian);
    const ReadAloudLayout out = ArrangeReadAloud(in);
    placeLeft(txtLangDu, out.txtLangDu);
    placeLeft(txtTTS, out.txtTTS);
    placeLeft(txtChaZhao, out.txtChaZhao);
    placeLeft(txtFilePathName, out.txtFilePathName);
    place(cmdChaZhao, out.cmdChaZhao);
    place(cmdChongTou, out.cmdChongTou);
    place(cmdHomePage, out.cmdHomePage);
    placeLeft(picLangDuWenJian, out.picLangDuWenJian);
    placeLeft(filLangDuWenJian, out.filLangDuWenJian);
    picLangDuWenJian->raise();
    filLangDuWenJian->raise();

    txtLangDu->setVisible(ShownBesideSearchButton(out.txtLangDu, out.cmdChaZhao));
    txtTTS->setVisible(ShownBesideSearchButton(out.txtTTS, out.cmdChaZhao));
    for (QWidget *w : {static_cast<QWidget *>(txtFenChangDu), static_cast<QWidget *>(txtWeiZhi),
                       static_cast<QWidget *>(chkFenDuanDu), static_cast<QWidget *>(chkTingZhi),
                       static_cast<QWidget *>(lblLangDuBiLi)})
        w->setVisible(ShownBesideSearchButton(twips(w), out.cmdChaZhao));
    FlowAddedRows(out, in.barHeight);
}

// Closing the window (or Quit) while audio is exported asks first: the export would end with it.
void frmTTS::closeEvent(QCloseEvent *event)
{
    if (m_exportDialog && !m_exportDialog->stopExporting()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QWidget::closeEvent(event);
}
