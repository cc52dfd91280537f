#pragma once
#include "BytePos.h"
#include "ChapterDialog.h"
#include "FormSettings.h"
#include "Novel.h"
#include "PageFollow.h"
#include "PageTurn.h"
#include "kxButtonFields.h"
#include <QColor>
#include <QFont>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class BookmarkCommands;
class ChapterLoader;
class FormTimer;
class PageSession;
class QAction;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QMenu;
class ScrollSurface;
class StatusLine;
class ReadAloudSide;
class TextBox;
class kxButtons_H;
struct ReaderLayoutInput;

// The novel reader window: the text file one page at a time. It works on the novel of the
// read-aloud side, opens where that side stands and hands its place back when it closes. Each showing after a close loads it afresh.
class frmRead : public QWidget
{
    Q_OBJECT
public:
    explicit frmRead(ReadAloudSide *tts, QWidget *parent = nullptr);
    ~frmRead() override;

    // The colour and font dialogs; a host (the tests) may put others in their place. An empty
    // result is a cancel.
    using ColourChooser = std::function<std::optional<QColor>(QWidget *parent)>;
    using FontChooser = std::function<std::optional<QFont>(QWidget *parent, const QFont &initial)>;
    void setColourChooser(ColourChooser chooser) { m_colourChooser = std::move(chooser); }
    void setFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }
    // How a chapter is chosen from the table of contents (its dialog unless a host says otherwise).
    void setChapterChooser(ChapterChooser chooser) { m_chapterChooser = std::move(chooser); }

    // What the window shows: the novel, the page and its position, the place.
    PageSession *pages() const { return m_pages; }

    // Page engine.
    bool TextOverflows(const TextBox *box) const;
    void MeasureChunkSize();
    QString GetNextPage();
    QString GetPrevPage(const QString &shownText);
    void cmdRead_Click(int index);
    void cmdFan_Click(int index);
    void cmdYeShu_Click(int index);
    void txtYeShu_DblClick(int index);
    void txtTarrowin_Change();
    void txtWeiZhi_Change();
    // Where the page shown starts in the file.
    BytePos PageStart() const;
    // The page on show cut again, from its first character, for the page box as it is now.
    void LayOutPageAgain();
    // A wheel step over the page box: a page for each whole notch.
    void TurnPagesByWheel(int angleDelta);

    // Find and side files.
    void cmdChaZhao_Click();
    void txtChaZhao_Change();
    void cmdKanDao_Click();

    // The table of contents: the page that starts at the chapter chosen.
    void cmdMuLu_Click();
    // The novel's table of contents, found in the background.
    ChapterLoader *chapters() const { return m_chapters; }
    // "添加书签" (Ctrl+B), "书签", "导出书签".
    BookmarkCommands *bookmarks() const { return m_bookmarks; }

    // Start, close, keys and mouse.
    void Form_Load();
    void Form_Unload();
    void Form_KeyUp(int keyCode);
    void txtTarrowin_DblClick();
    void txtTarrowin_MouseUp(Qt::MouseButton button, QPoint position);
    // The pop-up menu at a point of the screen: the page box's edit items, a separator, "设置读音…"
    // for the text selected, another separator, then the colour, font and side-bar items. One
    // right click, the Menu key or Shift+F10 brings it.
    void ShowPopUpMenu(const QPoint &globalPosition);
    void txtTarrowin_MouseMove(QPoint position);
    // "设置读音…": the reading of the text selected in the page box, in its dialog. The item is
    // enabled for a selection of Chinese characters only, and while there is a dictionary.
    void mnuSheZhiDuYin_Click();
    // "从这里朗读": the voice speaks from the sentence under the pointer where the pop-up menu was
    // asked for (or from the selection), and the reader follows it.
    void mnuCongZheLiLangDu_Click();
    bool CanSetReading() const;

    // Layout, appearance, side bar.
    void picButton_Resize();
    void ApplyTextAppearance();
    void mnuWenZi_Click();
    void mnuBeiJing_Click();
    void mnuZiTiZiHao_Click();
    void mnuYouBianXianShi_Click();
    void mnuYouBianYinCang_Click();
    void cmdYouBianLan_Click();
    void chkGengDuoXianShi_Click();

    // Automatic scrolling.
    void chkGunDong_Click();
    void cmdGunDong_Click(int index);
    void tmrGunDong_Timer();
    void FlipScrollPage();
    void picText_MouseUp(Qt::MouseButton button, double yTwips);
    void tmrGunDongTiShi_Timer();
    void cmdlblGunDong_Click();
    void picTextGunDong_Resize();

    // Following the voice ("边听边看"): the page that holds the word heard, the word marked.
    void chkGenSui_Click();
    // True while the page follows the voice.
    bool Following() const { return m_following; }
    // Where the word heard is marked on the page (none when no word is marked).
    std::optional<WordPlace> ShownMark() const { return m_mark; }

    // Twips per pixel of the screen the window is on (15 at 96 DPI).
    double TwipsPerPixel() const;
    // The reader's section of the settings file.
    static const FormSettings &Settings();
    // The current text file: program folder + "/" + the read-aloud window's file name.
    QString TextFilePath() const;
    // The novel the read-aloud window names, in the encoding it reads it in.
    Novel CurrentNovel() const;
    // Its side file with that suffix, whose text is in the novel's encoding.
    Novel SideFile(const QString &suffix) const;

    // Heights of the automatic scrolling's surfaces, in twips.
    double GunDongHeight() const { return m_gunDongHeight; }
    double XianShiHeight() const { return m_xianShiHeight; }

    // The page box's colours as the settings hold them (0x00BBGGRR, or a system colour).
    OleColor TextColour() const { return m_textColour; }
    OleColor BackgroundColour() const { return m_backgroundColour; }
    void setTextColour(OleColor colour);
    void setBackgroundColour(OleColor colour);

    TextBox *txtTarrowin;
    // What went wrong and what the reader did about it, one short line under the page.
    StatusLine *lblZhuangTai = nullptr;
    TextBox *txtChaZhao;
    TextBox *txtGunDong;
    TextBox *txtWeiZhi;
    TextBox *txtFenChangDu;
    std::array<TextBox *, 2> txtYeShu;
    std::array<kxButtons_H *, 2> cmdRead;
    std::array<kxButtons_H *, 2> cmdYeShu;
    std::array<kxButtons_H *, 2> cmdFan;
    std::array<kxButtons_H *, 2> cmdGunDong;
    kxButtons_H *cmdChaZhao;
    kxButtons_H *cmdKanDao;
    kxButtons_H *cmdMuLu;
    kxButtons_H *cmdYouBianLan;
    kxButtons_H *cmdlblGunDong;
    QLabel *lblLangDuBiLi;
    QLabel *lblGunDong;
    QLabel *lblBianMa;          // the encoding the novel is read in
    QCheckBox *chkGengDuoXianShi;
    QCheckBox *chkGunDong;
    QCheckBox *chkGenSui;
    QWidget *picButton;
    QWidget *Frame1;
    ScrollSurface *picTextXianShi;
    ScrollSurface *picTextGunDong;
    QWidget *linGunDong;
    FormTimer *tmrGunDong;
    FormTimer *tmrGunDongTiShi;
    QMenu *mnuTanChu;
    QAction *mnuCongZheLiLangDu;
    QAction *mnuSheZhiDuYin;
    QAction *mnuWenZi;
    QAction *mnuBeiJing;
    QAction *mnuZiTiZiHao;
    QAction *mnuYouBianYinCang;
    QAction *mnuYouBianXianShi;
    bool mblnYouBianLan = true;

    // Loads the window afresh when it is shown after a close (or for the first time).
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // A novel dropped on the reader opens in it, at its place.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateSideBar();
    void CreateScrollControls();
    void CreateMenu();
    void CreateReadFromHere();
    void ConnectReactions();
    void WatchKeysAndMouse();
    void ResetToDesign();
    void ApplyDesignLook();
    bool ContextMenuKey(QObject *watched, const QKeyEvent *key);
    void RestoreLook();
    void RestoreGeometry();
    void SaveSettings();
    void HandBack();
    // The boxes show what the page session holds; what the user types there goes to it.
    void BindPages();
    void SetScrollInterval(int interval);
    void CreateChapterButton();
    void CreateBookmarkCommands();
    void CreateFollowControls();
    void BeginFollowAlong();
    void FollowVoice();
    void StopFollowing();
    void OnWordHeard(const HeardWord &word);
    void ShowHeard(const HeardWord &word);
    void ShowMark(std::optional<WordPlace> mark);
    void EndFollowAlong();
    void RequestChapters();
    void CreateEncodingLabel();
    // The title names the novel and the chapter of the page shown, and follows the page.
    void FollowChapterInTitle();
    void ShowChapterInTitle();
    // Every control a screen reader meets has a Chinese name.
    void NameControlsForScreenReaders();
    void ShowEncoding();
    // Shows the page that starts at `start`.
    void ShowPageAt(BytePos start);
    std::optional<QColor> ChooseColour();
    ReaderLayoutInput LayoutInput() const;
    void PlaceInTwips(QWidget *widget, double left, double top, double width, double height) const;
    void SetGunDongHeight(double twips);
    void PrintPage(ScrollSurface *surface);
    void ShowSpeedHint();
    void CreateStatusLine();
    void PlaceStatusLine();

    ReadAloudSide *m_tts;
    PageSession *m_pages;
    int m_scrollInterval = 100; // the automatic scrolling's timer interval, ms: larger is slower
    ColourChooser m_colourChooser;
    FontChooser m_fontChooser;
    ChapterChooser m_chapterChooser;
    ChapterLoader *m_chapters;
    BookmarkCommands *m_bookmarks = nullptr;
    OleColor m_textColour = 0xE0E0E0;
    OleColor m_backgroundColour = 0;
    double m_gunDongHeight = 0;
    double m_xianShiHeight = 0;
    bool m_loaded = false;
    WheelTurns m_wheelTurns;
    QMenu *m_editMenu = nullptr;        // the page box's edit items shown in the pop-up menu
    QAction *m_editSeparator = nullptr; // below them
    bool m_toldKeptElsewhere = false; // a write that went to the state folder was said
    QPoint m_popUpAt;                   // where the pop-up menu was last asked for, on the screen
    bool m_following = false;
    bool m_followerShowing = false; // the page box changes because the follower turned
    std::unique_ptr<PageFollower> m_follower;
    std::optional<HeardWord> m_lastWord;
    std::optional<WordPlace> m_mark;
};
