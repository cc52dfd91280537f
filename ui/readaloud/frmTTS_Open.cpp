// The read-aloud window's ways of opening a novel from anywhere: "打开…", "最近打开", a file
// dropped on it, a start with a file named on the command line or handed over by a second start.
#include "NovelFileCheck.h"
#include "NovelName.h"
#include "ProgramFolder.h"
#include "RecentNovels.h"
#include "StatusLine.h"
#include "StateFolder.h"
#include "TextBox.h"
#include "ReadingSession.h"
#include "frmTTS.h"
#include "kxButtons_H.h"
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <optional>

namespace {
QString ProblemMessage(NovelFileProblem problem, const QString &path)
{
    switch (problem) {
    case NovelFileProblem::Missing:
        return QStringLiteral("找不到文件 %1").arg(path);
    case NovelFileProblem::NotAFile:
        return QStringLiteral("%1 不是一个文件，没有打开").arg(path);
    case NovelFileProblem::Unreadable:
        return QStringLiteral("文件 %1 不能读取，没有打开").arg(path);
    case NovelFileProblem::NotText:
        return QStringLiteral("%1 不是文本文件，没有打开").arg(path);
    case NovelFileProblem::None:
        break;
    }
    return QString();
}

// Why the file at `path` cannot be opened as a novel; nothing when it can.
std::optional<QString> Refusal(const QString &path)
{
    if (const NovelFileProblem problem = CheckNovelFile(path); problem != NovelFileProblem::None)
        return ProblemMessage(problem, path);
    const QString name = NovelNameFor(path);
    if (!IsBareFileName(name) && !IsNovelPath(name)) // a line break or other control character
        return QStringLiteral("文件名里有换行等控制字符，没有打开：%1").arg(QString(path).replace(QLatin1Char('\n'), QStringLiteral("\\n")));
    return std::nullopt;
}
}

bool frmTTS::OpenNovel(const QString &path)
{
    const std::optional<QString> refusal = Refusal(path);
    if (refusal)
        lblZhuangTai->say(*refusal);
    else
        OpenAcceptedNovel(path);
    return !refusal;
}

void frmTTS::OpenHandedOverNovel(const QString &path)
{
    const std::optional<QString> refusal = path.isEmpty() ? std::nullopt : Refusal(path);
    if (!path.isEmpty() && !refusal)
        OpenAcceptedNovel(path);
    BringToFront();
    if (!refusal)
        return;
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tarrowin"), *refusal, QMessageBox::Ok,
                                FrontWindow());
    box->setObjectName(QStringLiteral("msgNovelRefused"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open(); // window-modal, so that the window goes on answering later starts meanwhile
}

void frmTTS::OpenAcceptedNovel(const QString &path)
{
    const QString name = NovelNameFor(path);
    // The reader hands its page back to the novel it shows before another is opened.
    if (m_reader && m_reader->isVisible())
        m_reader->close();
    cmdSpeak_Click(1);
    txtFilePathName->setText(name);
    ChooseFileByFindText();
    SaveNovelChoice();
    RecentNovels::Remember(NovelFilePath(name));
    TellWhereThePlaceIsKept();
}

QWidget *frmTTS::FrontWindow()
{
    if (m_reader && m_reader->isVisible())
        return m_reader;
    return this;
}

void frmTTS::BringToFront()
{
    QWidget *front = FrontWindow();
    front->showNormal();
    front->raise();
    front->activateWindow();
}

void frmTTS::cmdDaKai_Click()
{
    const QString folder = IsNovelPath(txtFilePathName->Text()) ? QFileInfo(txtFilePathName->Text()).absolutePath()
                                                               : ProgramFolder();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("打开小说"), folder,
                                                      QStringLiteral("文本文件 (*.txt *.TXT);;所有文件 (*)"));
    if (!path.isEmpty())
        OpenNovel(path);
}

void frmTTS::cmdZuiJin_Click()
{
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("最近打开"));
    FillRecentMenu(&menu);
    // Under the button, or under the menu bar while the button has no room.
    menu.exec(cmdZuiJin->isVisible() ? cmdZuiJin->mapToGlobal(QPoint(0, cmdZuiJin->height()))
                                     : mapToGlobal(QPoint(0, picButton->y())));
}

void frmTTS::FillRecentMenu(QMenu *menu)
{
    menu->clear();
    const QStringList recent = RecentNovels::Present();
    for (const QString &path : recent)
        menu->addAction(QFileInfo(path).fileName() + QStringLiteral("  (") + QFileInfo(path).absolutePath()
                            + QLatin1Char(')'),
                        this, [this, path] { OpenNovel(path); });
    if (recent.isEmpty())
        menu->addAction(QStringLiteral("（没有）"))->setEnabled(false);
}

// Where the place of the open novel and the settings are kept, said once a run when that is the
// state folder rather than the novel's own folder.
void frmTTS::TellWhereThePlaceIsKept()
{
    if (m_toldStateFolder)
        return;
    const QString kept = m_session->sideFilePath(QStringLiteral(".find"));
    const bool inStateFolder = !kept.isEmpty() && kept.startsWith(StateFolder() + QLatin1Char('/'));
    if (!inStateFolder && FolderWritable(ProgramFolder()))
        return;
    m_toldStateFolder = true;
    const bool folderRefuses = !FolderWritable(ProgramFolder())
        || !FolderWritable(QFileInfo(m_session->novelPath()).absolutePath());
    lblZhuangTai->say(folderRefuses
                          ? QStringLiteral("文件夹不能写入，阅读位置和设置保存在 %1").arg(StateFolder())
                          : QStringLiteral("文件名太长，阅读位置保存在 %1").arg(StateFolder()));
}

void frmTTS::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedNovel(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmTTS::dropEvent(QDropEvent *event)
{
    const QString path = DroppedNovel(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenNovel(path);
}
