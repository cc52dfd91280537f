// The read-aloud window's start-up and unload, file choice and its other buttons.
#include "HomePage.h"
#include "NovelName.h"
#include "NumericText.h"
#include "ForeignNames.h"
#include "FormGeometry.h"
#include "NovelName.h"
#include "ProgramFolder.h"
#include "SampleNovel.h"
#include "SideFileWriter.h"
#include "SingleInstance.h"
#include "StoredPath.h"
#include "TextBox.h"
#include "WindowTitle.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include "FormSettings.h"
#include "ReadAloudMessages.h"
#include "StatusLine.h"
#include "ReadingSession.h"
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTimer>
#include <cmath>

namespace {
const FormSettings &Settings()
{
    static const FormSettings settings(QStringLiteral("DANGQIAN"));
    return settings;
}

qint32 ReadSetting(const char *key, qint32 current)
{
    return Settings().ReadInteger(QLatin1String(key), current);
}

void WriteSetting(const char *key, const QString &value)
{
    Settings().Write(QLatin1String(key), value);
}
}

bool frmTTS::Form_Load()
{
    m_instance = std::make_unique<SingleInstance>(m_lockPath);
    if (m_instance->acquire() != SingleInstance::Start::Only)
        return false;
    connect(m_instance.get(), &SingleInstance::Requested, this, &frmTTS::OpenHandedOverNovel);
    QCoreApplication::setApplicationName(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    setWindowTitle(QStringLiteral("Tarrowin " TARROWIN_VERSION));
    RestoreSettings();
    CreateVoice();
    ShowChosenEncoding();
    m_session->loadPlace();
    chkFenDuanDu->setChecked(ReadSetting("FENDUAN", chkFenDuanDu->isChecked() ? 1 : 0) != 0);
    ResumeAtFindText();
    if (txtChaZhao->Text().isEmpty() && IsNovelPath(txtFilePathName->Text()))
        m_session->novelReadable(); // a novel elsewhere whose folder is gone (a disk taken away) is said at once
    OpenFirstNovel();
    TellWhereThePlaceIsKept();
    m_loaded = true;
    return true;
}

// A first start, with no novel chosen yet, opens the sample shipped with the program (or the one
// built into it, when none lies beside it), so that "开始朗读" speaks at once.
void frmTTS::OpenFirstNovel()
{
    const QString chosen = txtFilePathName->Text();
    if (IsBareFileName(chosen) || IsNovelPath(chosen))
        return;
    QString sample = ProgramFilePath(SampleNovelName());
    if (!QFileInfo(sample).isFile())
        sample = PlaceBuiltInSample();
    if (sample.isEmpty())
        return;
    txtFilePathName->setText(NovelNameFor(sample));
    ChooseFileByFindText();
}

// The novel last open: one outside the program folder by its absolute path (`WENJIANLUJING`),
// one inside it by its bare name (`WENJIANMING`, as older versions wrote it).
void frmTTS::RestoreSettings()
{
    const QString path = PathFromStored(Settings().ReadString(QStringLiteral("WENJIANLUJING"), QString()));
    const QString name = Settings().ReadString(QStringLiteral("WENJIANMING"), txtFilePathName->Text());
    if (IsNovelPath(path))
        txtFilePathName->setText(NovelNameFor(path));
    else if (IsBareFileName(name))
        txtFilePathName->setText(name);
    m_session->setPieceLength(ReadSetting("CHANGDU", 100));
    cmdHomePage->setCaption(Settings().ReadString(kHomePageKey, QString()));
    cmdHomePage->setVisible(!cmdHomePage->Caption().isEmpty());
    RestoreFormGeometry(this, Settings());
}

void frmTTS::CreateVoice()
{
    m_session->setVoice(m_voiceFactory ? m_voiceFactory() : nullptr);
    ApplyVolume();
}

void frmTTS::Form_Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    m_sideFiles->flush();
    SaveSettings();
    if (mblnOpenHomePage && !cmdHomePage->Caption().isEmpty())
        m_urlOpener(HomePageAddress(cmdHomePage->Caption()));
    // The program ends with this window: a reader window left open must not keep it running.
    if (m_reader)
        m_reader->hide();
}

void frmTTS::SaveSettings()
{
    WriteSetting("FENDUAN", chkFenDuanDu->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    SaveFormGeometry(this, Settings());
    SaveNovelChoice();
    WriteSetting("CHANGDU", QString::number(m_session->pieceLength()));
}

// The novel open now is the one the next start opens, also after a crash.
void frmTTS::SaveNovelChoice()
{
    const QString name = txtFilePathName->Text();
    // A name the settings file cannot hold as it is (a "?", a character GBK lacks) is kept by its
    // path, in the form that always comes back.
    const bool byPath = IsNovelPath(name) || (IsBareFileName(name) && StoredPathText(name) != name);
    if (!byPath) // an older version then opens the novel of the program folder it knew
        WriteSetting("WENJIANMING", name);
    WriteSetting("WENJIANLUJING", byPath ? StoredPathText(NovelFilePath(name)) : QString());
}

void frmTTS::txtFilePathName_Change()
{
    CancelPlaceSearch(); // the place it looks for is that of the novel before
    m_session->setNovel(txtFilePathName->Text());
    ShowChosenEncoding();
    if (!txtFilePathName->Text().isEmpty())
        setWindowTitle(ReadAloudTitle(txtFilePathName->Text(), QString()));
    // "No novel chosen yet" is no longer so once one is.
    if (!ReadAloudMessages::TextFileProblem(txtFilePathName->Text())
        && lblZhuangTai->message() == ReadAloudMessages::TextFileProblem(QString()))
        lblZhuangTai->say(QString());
    RequestChapters();
}

// Shows or hides the list of text files; a list that appears is read from the folder afresh.
void frmTTS::txtFilePathName_DblClick()
{
    const bool show = filLangDuWenJian->isHidden();
    filLangDuWenJian->setVisible(show);
    picLangDuWenJian->setVisible(show);
    if (!show)
        return;
    filLangDuWenJian->clear();
    const QDir folder(ProgramFolder(), QStringLiteral("*.txt"), QDir::Name | QDir::IgnoreCase,
                      QDir::Files | QDir::Readable);
    filLangDuWenJian->addItems(folder.entryList());
    // Names not in UTF-8 (GBK bytes) are listed as GBK reads them and opened through their links.
    for (const QString &link : ForeignTextFiles(ProgramFolder())) {
        auto *item = new QListWidgetItem(QFileInfo(link).fileName(), filLangDuWenJian);
        item->setData(Qt::UserRole, link);
    }
    // The keyboard goes on in the list, at the novel open now.
    const QList<QListWidgetItem *> open = filLangDuWenJian->findItems(txtFilePathName->Text(), Qt::MatchExactly);
    filLangDuWenJian->setCurrentItem(open.isEmpty() ? filLangDuWenJian->item(0) : open.front());
    filLangDuWenJian->setFocus();
}

void frmTTS::filLangDuWenJian_DblClick(QListWidgetItem *entry)
{
    if (!entry)
        return;
    filLangDuWenJian->hide();
    picLangDuWenJian->hide();
    if (const QString link = entry->data(Qt::UserRole).toString(); !link.isEmpty()) {
        OpenNovel(link);
        return;
    }
    txtFilePathName->setText(entry->text());
    ChooseFileByFindText();
}

// Goes on where the chosen file was left: at the text of its ".find" file, or at its start when
// there is none or its text no longer occurs in the file.
void frmTTS::ChooseFileByFindText()
{
    CancelPlaceSearch();
    m_session->open(txtFilePathName->Text());
}

void frmTTS::cmdRead_Click()
{
    cmdSpeak_Click(1);
    hide();
    if (!m_reader && m_readerFactory)
        m_reader = m_readerFactory(this);
    if (m_reader)
        m_reader->show();
}

void frmTTS::cmdPeiZhi_Click()
{
    if (!m_speechSettingsOpener)
        return;
    m_speechSettingsOpener(this);
    // The engine's settings reach a voice when it is made: an idle voice is made afresh, a voice
    // that is speaking or paused keeps its settings until the next load.
    if (!mobjSpkOne() || mobjSpkOne()->RunningState() == SpeechVoice::SRSEDone)
        CreateVoice();
}

void frmTTS::cmdHomePage_Click()
{
    m_urlOpener(HomePageAddress(cmdHomePage->Caption()));
}

void frmTTS::tmrWWW_Timer()
{
    ++mlngWWWTicks;
    if (mlngWWWTicks > kHomePageTicks) {
        tmrWWW->stop();
        mblnOpenHomePage = true;
    }
}
