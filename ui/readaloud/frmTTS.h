#pragma once
#include "ByteRange.h"
#include "BytePos.h"
#include "ChapterDialog.h"
#include "Novel.h"
#include "NovelEncoding.h"
#include "ReadAloudLayout.h"
#include "ReadAloudSide.h"
#include "SpeechVoice.h"
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class AudioExportDialog;
class QAction;
class BookmarkCommands;
class ChapterLoader;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;
class QAction;
class ReadingSession;
class Shelf;
class SideFileWriter;
class SingleInstance;
class SleepTimer;
class StatusLine;
class TextBox;
class kxButtons_H;

// The read-aloud window: the program's first and main window. It shows its reading session (the
// novel, the position, the piece being spoken and the next one, the place text, the voice's
// state) in its controls and hands what the user does there to the session, which reads the
// novel aloud piece by piece and keeps the place in a ".find" side file. It is the read-aloud
// side the reader window reaches.
class frmTTS : public QWidget, public ReadAloudSide
{
    Q_OBJECT
public:
    explicit frmTTS(QWidget *parent = nullptr);
    ~frmTTS() override;

    // How the reader window is made on first use (the host wires it, so that this library does
    // not depend on the reader's).
    using ReaderFactory = std::function<QWidget *(frmTTS *)>;
    void setReaderFactory(ReaderFactory factory) { m_readerFactory = std::move(factory); }
    // How the speech voice is made at load; none made means the speaking actions do nothing.
    using VoiceFactory = std::function<std::unique_ptr<SpeechVoice>()>;
    void setVoiceFactory(VoiceFactory factory) { m_voiceFactory = std::move(factory); }
    // What "调整语音" opens: the speech engine's settings dialog, modal.
    using SpeechSettingsOpener = std::function<void(QWidget *parent)>;
    void setSpeechSettingsOpener(SpeechSettingsOpener opener) { m_speechSettingsOpener = std::move(opener); }
    // How a web address is opened (the desktop's browser unless a host says otherwise).
    using UrlOpener = std::function<void(const QUrl &)>;
    void setUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }
    // How a chapter is chosen from the table of contents (its dialog unless a host says otherwise).
    void setChapterChooser(ChapterChooser chooser) { m_chapterChooser = std::move(chooser); }
    // Where the one-instance lock lives (the user's runtime folder unless a host says otherwise).
    void setInstanceLockPath(const QString &path) { m_lockPath = path; }

    // The load reaction: false when another instance runs, and this one must end at once, or
    // when the one-instance lock could not be taken (instance() says which).
    bool Form_Load();
    const SingleInstance *instance() const { return m_instance.get(); }
    // Opens the novel at `path`, wherever it is, and goes on at its place as choosing it from the
    // file list does; a file that cannot be opened as a novel is refused with a message and
    // nothing is written. False when refused.
    bool OpenNovel(const QString &path);
    // Opens a novel that a later start handed over (none: only comes to the front) and shows the
    // window in use in front; a refusal shows in a message box there, as the user acted
    // elsewhere (a file manager, a terminal) and may not be looking at the status line.
    void OpenHandedOverNovel(const QString &path);
    // Shows the window that is in use (this one, or the reader in its place) in front.
    void BringToFront();
    // The unload reaction, run when the window closes.
    void Form_Unload();

    void cmdSpeak_Click(int index);
    void cmdChaZhao_Click();
    void cmdChongTou_Click();
    void cmdRead_Click();
    // "边听边看": the reader shows the novel and follows the voice, started when it was silent;
    // this window stays.
    void cmdBianTingBianKan_Click();
    void cmdPeiZhi_Click();
    void cmdHomePage_Click();
    // "导出音频…": the export dialog of the current text file, the running one kept open.
    void cmdDaoChu_Click();
    // Opens "净化规则" on the piece being read.
    void cmdJingHua_Click();
    AudioExportDialog *exportDialog() const { return m_exportDialog; }
    void cmdDaKai_Click();
    void cmdZuiJin_Click();
    void tmrWWW_Timer();
    void txtFilePathName_DblClick();
    void filLangDuWenJian_DblClick(QListWidgetItem *entry);
    // The table of contents and the chapter before and after the piece being read.
    void cmdMuLu_Click();
    void cmdShangYiZhang_Click();
    void cmdXiaYiZhang_Click();
    // "定时停止": the sleep timer's choices; a choice by its index in SleepTimer's captions.
    void cmdDingShi_Click();
    // Where the piece being read starts in the file, as the session knows it.
    BytePos CurrentPieceStart() const;
    void ChooseSleepTimer(int choice);
    SleepTimer *sleepTimer() const { return m_sleepTimer; }
    // The clock the sleep timer runs on (milliseconds), for hosts and tests that drive time.
    void setSleepClock(std::function<qint64()> clock);
    // The listener's volume (0..100), which the sleep timer's fade scales and restores.
    int ListeningVolume() const;
    void setListeningVolume(int volume);
    // The novel's table of contents, found in the background.
    ChapterLoader *chapters() const { return m_chapters; }
    // "书架" (Ctrl+L): the bookshelf, where Enter opens a novel at its place.
    void ShowShelf();
    Shelf *shelf() const { return m_shelf; }
    // "添加书签" (Ctrl+B), "书签", "导出书签".
    BookmarkCommands *bookmarks() const { return m_bookmarks; }

    // The menus of the menu bar, which hold every command beyond the bar's original controls.
    enum class Menu { File, Reading, Chapters, Settings, Help };
    QMenu *menu(Menu which) const;
    // Puts a command of the window into one of the menus (its shortcut then works in the window).
    void AddToMenu(Menu which, QAction *action);

    ReadingSession *session() const { return m_session; }
    SpeechVoice *mobjSpkOne() const;
    QWidget *readerWindow() const { return m_reader; }
    // The file the window reads: program folder + "/" + txtFilePathName.
    QString TextFilePath() const;
    // That file with the encoding it is read in: the one chosen in cboBianMa, or the one its
    // bytes show when the choice is "自动" (the session's). The reader window reads the same novel.
    Novel CurrentNovel() const;
    void cboBianMa_Click();
    // The writes of the side files of both windows, gathered (see SideFileWriter).
    SideFileWriter *SideFiles() const { return m_sideFiles; }

    // What the reader window reaches.
    QString novelName() const override;
    Novel currentNovel() const override { return CurrentNovel(); }
    Place place() const override;
    HeardWord pieceBeingRead() const override;
    bool isShown() const override { return isVisible(); }
    void handBack(const Place &place) override;
    void openInReader(const QString &path) override;
    void readFrom(BytePos position) override;
    SideFileWriter *sideFiles() const override { return m_sideFiles; }
    ReadAloudEvents *events() override { return m_events; }

    TextBox *txtFilePathName;
    TextBox *txtChaZhao;
    TextBox *txtLangDu;
    TextBox *txtTTS;
    TextBox *txtWeiZhi;
    TextBox *txtFenChangDu;
    kxButtons_H *cmdChaZhao;
    std::array<kxButtons_H *, 3> cmdSpeak;
    kxButtons_H *cmdRead;
    kxButtons_H *cmdBianTingBianKan;
    kxButtons_H *cmdPeiZhi;
    kxButtons_H *cmdHomePage;
    kxButtons_H *cmdDaoChu;
    kxButtons_H *cmdShangYiZhang;
    kxButtons_H *cmdMuLu;
    kxButtons_H *cmdXiaYiZhang;
    kxButtons_H *cmdDaKai;
    kxButtons_H *cmdZuiJin;
    kxButtons_H *cmdDingShi;
    QPushButton *cmdChongTou;
    QCheckBox *chkFenDuanDu;
    // "编码": the novel's encoding, "自动" or one chosen for this novel.
    QLabel *lblBianMa;
    QComboBox *cboBianMa;
    QCheckBox *chkTingZhi;
    QLabel *lblLangDuBiLi;
    // What just went wrong and what the window did about it, one short line under the text boxes.
    StatusLine *lblZhuangTai;
    QListWidget *filLangDuWenJian;
    QWidget *picLangDuWenJian;
    QWidget *picButton;
    QGroupBox *Frame1;
    QTimer *tmrWWW;
    QAction *actShelf = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    void createButtonBar();
    void createEncodingChoice();
    void createFollowAlongButton();
    void ShowChosenEncoding();
    void connectReactions();
    void createChapterButtons();
    void connectChapterReactions();
    void createSleepTimer();
    // The speed and sentence commands of the menu 朗读, and the chapters the session's time counts in.
    void createRhythmActions();
    void createRulesAction();
    void createShelf();
    void createBookmarkCommands();
    void measureListeningSpeed();
    void SleepTimer_Tick();
    void SleepTimer_Expired();
    void ApplyVolume();
    void RequestChapters();
    void ChaptersReady();
    void UpdateCaption();
    void picButton_Resize();
    // The menu bar and its commands.
    void createMenuBar();
    void fillFileAndReadingMenus();
    void placeAddedCommands();
    void fillChapterSettingsAndHelpMenus();
    void FillRecentMenu(QMenu *menu);
    // The rows added to the bar beyond its original controls, flowed into the room left beside
    // the moving search and home-page buttons; the window's smallest and opening sizes.
    void FlowAddedRows(const ReadAloudLayout &layout, double barHeight);
    std::vector<std::vector<QWidget *>> AddedRows() const;
    void SizeToShowEverything();
    // The tab order follows the eye: the text boxes top down, then the bar row by row.
    void FollowTheEyeInTabOrder();
    // Every control a screen reader meets has a Chinese name: its caption or what it holds.
    void NameControlsForScreenReaders();
    // A control of the area left of the bar put at a place in the area's twips (below the menu bar).
    void placeLeft(QWidget *w, const TwipsRect &r) const;

    // The boxes show what the session holds; what the user types there goes to the session.
    void bindSession();
    // The stop flag and the pause button's caption follow the session's state.
    void showState();
    void mobjSpkOne_Word(int characterPosition, int length, ByteRange bytes);
    void txtLangDu_Change();
    void txtWeiZhi_Change();
    void txtFilePathName_Change();
    void ChooseFileByFindText();
    // The start-up's move to the ".find" text, in the background for a large novel.
    void ResumeAtFindText();
    void SetPlaceSearching(bool searching);
    // A search begun by ResumeAtFindText gives way to a newer choice of place.
    void CancelPlaceSearch();
    void OpenFirstNovel();
    void TellWhereThePlaceIsKept();
    void OpenAcceptedNovel(const QString &path);
    QWidget *FrontWindow();

    void RestoreSettings();
    void SaveSettings();
    void SaveNovelChoice();
    void CreateVoice();
    double twipsPerPixel() const;
    // A control's place in twips, and a control put at a place in twips.
    TwipsRect twips(const QWidget *w) const;
    void place(QWidget *w, const TwipsRect &r) const;

    QMenuBar *m_menuBar = nullptr;
    std::array<QMenu *, 5> m_menus{};
    ReaderFactory m_readerFactory;
    VoiceFactory m_voiceFactory;
    SpeechSettingsOpener m_speechSettingsOpener;
    UrlOpener m_urlOpener;
    ChapterChooser m_chapterChooser;
    ChapterLoader *m_chapters;
    QString m_percentageBeforeSearch;
    QString m_lockPath;
    std::unique_ptr<SingleInstance> m_instance;
    ReadingSession *m_session;
    SideFileWriter *m_sideFiles;
    ReadAloudEvents *m_events;
    QWidget *m_reader = nullptr;
    SleepTimer *m_sleepTimer = nullptr;
    Shelf *m_shelf = nullptr;
    BookmarkCommands *m_bookmarks = nullptr;
    QTimer *m_sleepTick = nullptr;
    AudioExportDialog *m_exportDialog = nullptr; // a child of the window
    qint32 mlngWWWTicks = 0;
    bool mblnOpenHomePage = false;
    bool m_loaded = false; // between a load that went through and the unload
    bool m_toldStateFolder = false;
    bool m_toldKeptElsewhere = false; // a write that went to the state folder was said
};
