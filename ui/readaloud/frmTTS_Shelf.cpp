// The read-aloud window's bookshelf and bookmarks: "书架" (Ctrl+L) and the bookmark commands; the
// shelf follows the session (the novel opened, the piece being read), the voice's speed is timed
// as it reads, and a bookmark is set where the sleep timer stopped reading.
#include "BookmarkCommands.h"
#include "ChapterLoader.h"
#include "ListeningSpeed.h"
#include "ReadingSession.h"
#include "Shelf.h"
#include "ShelfDialog.h"
#include "SleepTimer.h"
#include "SpeechSettings.h"
#include "StatusLine.h"
#include "frmTTS.h"
#include <QAction>
#include <QElapsedTimer>
#include <memory>

void frmTTS::createShelf()
{
    m_shelf = new Shelf(ShelfFile::Path(), this);
    // The shelf writes what waits as the window ends, when the status line is gone already.
    connect(m_shelf, &Shelf::saveFailed, lblZhuangTai, [this](const QString &path) {
        lblZhuangTai->say(QStringLiteral("书架没有保存：不能写入 %1").arg(path));
    });
    if (!m_shelf->load())
        lblZhuangTai->say(QStringLiteral("书架文件 %1 不能读取，这次不会改写它").arg(ShelfFile::Path()));
    actShelf = new QAction(QStringLiteral("书架"), this);
    actShelf->setObjectName(QStringLiteral("actShelf"));
    actShelf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    addAction(actShelf);
    connect(actShelf, &QAction::triggered, this, &frmTTS::ShowShelf);

    connect(m_session, &ReadingSession::novelChanged, this, [this] { m_shelf->opened(m_session->novelPath()); });
    connect(m_session, &ReadingSession::currentPieceChanged, this, [this](const QString &, ByteRange bytes) {
        if (!bytes.isEmpty())
            m_shelf->placeMoved(m_session->novelPath(), bytes.start);
    });
    createBookmarkCommands();
    measureListeningSpeed();
}

void frmTTS::ShowShelf()
{
    m_shelf->rescan();
    ShelfDialog dialog(m_shelf, LoadSpeechSettings().voice, this);
    connect(&dialog, &ShelfDialog::openRequested, this, [this](const QString &path) { OpenNovel(path); });
    dialog.exec();
}

// A bookmark marks the sentence of the word being heard, or the start of the piece when no word
// of it was heard yet; choosing one reads on from there as a chapter chosen does.
void frmTTS::createBookmarkCommands()
{
    auto heard = std::make_shared<std::optional<BytePos>>();
    connect(m_session, &ReadingSession::wordHeard, this, [heard](int, int, ByteRange bytes) {
        if (!bytes.isEmpty())
            *heard = bytes.start;
    });
    connect(m_session, &ReadingSession::currentPieceChanged, this, [heard] { heard->reset(); });
    BookmarkCommands::Window bound;
    bound.novelName = [this] { return m_session->novel(); };
    bound.novel = [this] { return CurrentNovel(); };
    bound.here = [this, heard]() -> std::optional<BytePos> { return heard->value_or(CurrentPieceStart()); };
    bound.toSentenceStart = true;
    bound.chapters = [this] { return m_chapters->IsReady() ? m_chapters->Chapters() : ChapterList(); };
    bound.moveTo = [this](BytePos position) { m_session->goTo(position); };
    bound.say = [this](const QString &text, bool) { lblZhuangTai->say(text); };
    m_bookmarks = new BookmarkCommands(this, std::move(bound));
    connect(m_sleepTimer, &SleepTimer::expired, m_bookmarks,
            [this] { m_bookmarks->addMark(QStringLiteral("定时停止")); });
}

// A piece heard whole, the voice speaking from its start to the start of the next, times the
// voice; a pause, a stop or a move leaves the piece under way out.
void frmTTS::measureListeningSpeed()
{
    auto speed = std::make_shared<ListeningSpeed>();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    // A piece resumed after a pause, or started again after a stop, is not timed: only a piece
    // that the voice went on to from the one before is heard from its start without a break.
    connect(m_session, &ReadingSession::stateChanged, this, [speed] { speed->interrupted(); });
    connect(m_session, &ReadingSession::currentPieceChanged, this, [this, speed, clock](const QString &, ByteRange bytes) {
        if (m_session->state() != ReadingSession::State::Speaking || bytes.isEmpty()) {
            speed->interrupted();
            return;
        }
        if (const std::optional<double> measured = speed->pieceBegan(bytes.length(), clock->elapsed()))
            m_shelf->measured(LoadSpeechSettings().voice, *measured);
    });
}
