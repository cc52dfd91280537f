// The read-aloud window's commands for the listening rhythm (for the menu 朗读): the speed up and
// down, and the sentence before, this one again and the next. Each calls the reading session;
// the speed it takes is told in the status line. The session's chapter time counts in the
// chapters of the table of contents.
#include "ChapterLoader.h"
#include "ReadingSession.h"
#include "StatusLine.h"
#include "frmTTS.h"
#include <QAction>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <algorithm>

namespace {
constexpr double kSpeedStep = 0.25;

// The text boxes take Ctrl+Left and Ctrl+Right to move by words, and the voice puts the focus in
// the piece box: in this window the keys of the rhythm commands go to the commands.
class CommandKeys : public QObject
{
public:
    CommandKeys(const QList<QAction *> &actions, QObject *parent) : QObject(parent), m_actions(actions) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        const bool ours = std::any_of(m_actions.begin(), m_actions.end(),
                                      [&](const QAction *action) { return action->shortcut() == pressed; });
        if (ours)
            event->ignore(); // not the box's: the shortcut takes it
        return ours;
    }

private:
    QList<QAction *> m_actions;
};
}

void frmTTS::createRhythmActions()
{
    QList<QAction *> actions;
    const auto add = [this, &actions](const char *name, const QString &text, const QKeySequence &keys, auto run) {
        auto *action = new QAction(text, this);
        actions << action;
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, run);
        addAction(action);
    };
    add("actJiaKuaiYuSu", QStringLiteral("加快语速"), QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
        [this] { m_session->setSpeed(m_session->speed() + kSpeedStep); });
    add("actFangManYuSu", QStringLiteral("放慢语速"), QKeySequence(Qt::CTRL | Qt::Key_BracketLeft),
        [this] { m_session->setSpeed(m_session->speed() - kSpeedStep); });
    add("actShangYiJu", QStringLiteral("上一句"), QKeySequence(Qt::CTRL | Qt::Key_Left),
        [this] { m_session->previousSentence(); });
    add("actXiaYiJu", QStringLiteral("下一句"), QKeySequence(Qt::CTRL | Qt::Key_Right),
        [this] { m_session->nextSentence(); });
    add("actChongDuBenJu", QStringLiteral("重读本句"), QKeySequence(Qt::CTRL | Qt::Key_R),
        [this] { m_session->repeatSentence(); });
    auto *keys = new CommandKeys(actions, this);
    for (QPlainTextEdit *box : findChildren<QPlainTextEdit *>())
        box->installEventFilter(keys);
    // The speed stays in sight at the head of the speed commands in the menu 朗读 (for a screen
    // reader too), and is said in the status line when it changes.
    auto *shown = new QAction(this);
    shown->setObjectName(QStringLiteral("actYuSu"));
    shown->setEnabled(false);
    const auto showSpeed = [shown](double speed) { shown->setText(QStringLiteral("语速 %1 倍").arg(speed)); };
    showSpeed(m_session->speed());
    connect(m_session, &ReadingSession::speedChanged, this, [this, showSpeed](double speed) {
        showSpeed(speed);
        lblZhuangTai->say(QStringLiteral("语速 %1 倍").arg(speed));
    });
    m_session->setChapterBounds([this](BytePos position) -> ByteRange {
        if (!m_chapters->IsReady())
            return {};
        const ChapterList &list = m_chapters->Chapters();
        const int index = list.indexAt(position);
        const BytePos start = index < 0 ? BytePos(1) : list.at(index).start;
        const std::optional<BytePos> next = list.nextStart(position);
        return {start, next ? *next : BytePos(QFileInfo(TextFilePath()).size() + 1)};
    });
}
