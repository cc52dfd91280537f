#include "BookmarkCommands.h"
#include "BookmarkDialog.h"
#include "BookmarkFile.h"
#include "ReplaceFile.h"
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QWidget>

namespace {
QAction *WindowAction(QWidget *window, const QString &text, const char *name, const QKeySequence &keys = {})
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}
}

BookmarkCommands::BookmarkCommands(QWidget *window, Window bound)
    : QObject(window), m_window(window), m_bound(std::move(bound)),
      m_add(WindowAction(window, QStringLiteral("添加书签"), "actAddBookmark", QKeySequence(Qt::CTRL | Qt::Key_B))),
      m_list(WindowAction(window, QStringLiteral("书签"), "actBookmarks")),
      m_export(WindowAction(window, QStringLiteral("导出书签"), "actExportBookmarks"))
{
    connect(m_add, &QAction::triggered, this, &BookmarkCommands::addAsked);
    connect(m_list, &QAction::triggered, this, &BookmarkCommands::showList);
    connect(m_export, &QAction::triggered, this, &BookmarkCommands::exportMarkdown);
}

std::optional<QList<Bookmark>> BookmarkCommands::load()
{
    std::optional<QList<Bookmark>> marks = BookmarkFile::Load(m_bound.novelName());
    if (!marks)
        m_bound.say(QStringLiteral("书签文件 %1 不能读取，没有改动它").arg(BookmarkFile::PathFor(m_bound.novelName())), true);
    return marks;
}

bool BookmarkCommands::save(const QList<Bookmark> &marks)
{
    if (BookmarkFile::Save(m_bound.novelName(), marks))
        return true;
    m_bound.say(QStringLiteral("书签没有保存：不能写入 %1").arg(BookmarkFile::PathFor(m_bound.novelName())), true);
    return false;
}

bool BookmarkCommands::addMark(const QString &note)
{
    const std::optional<BytePos> here = m_bound.here();
    std::optional<Bookmark> mark = here ? MarkAt(m_bound.novel(), *here, m_bound.toSentenceStart) : std::nullopt;
    if (!mark) {
        m_bound.say(QStringLiteral("这里没有文字，没有添加书签"), true);
        return false;
    }
    std::optional<QList<Bookmark>> marks = load();
    if (!marks)
        return false;
    mark->note = note;
    marks->append(*mark);
    if (!save(*marks))
        return false;
    m_bound.say(QStringLiteral("已添加书签：%1").arg(FirstWords(*mark)), false);
    return true;
}

// The mark is kept before the note is asked for, so that it stands where the listener was when
// the key was pressed, and a cancelled note loses nothing.
void BookmarkCommands::addAsked()
{
    if (!addMark(QString()))
        return;
    bool given = false;
    const QString note = QInputDialog::getText(m_window, QStringLiteral("添加书签"), QStringLiteral("备注（可以不写）："),
                                               QLineEdit::Normal, QString(), &given);
    if (!given || note.trimmed().isEmpty())
        return;
    std::optional<QList<Bookmark>> marks = load();
    if (!marks || marks->isEmpty())
        return;
    marks->last().note = note.trimmed();
    save(*marks);
}

void BookmarkCommands::showList()
{
    const std::optional<QList<Bookmark>> marks = load();
    if (!marks)
        return;
    BookmarkDialog dialog(*marks, m_bound.chapters(), m_window);
    connect(&dialog, &BookmarkDialog::exportRequested, this, &BookmarkCommands::exportMarkdown);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (dialog.marks().size() != marks->size())
        save(dialog.marks());
    if (accepted && dialog.chosen())
        goTo(*dialog.chosen());
}

void BookmarkCommands::goTo(const Bookmark &mark)
{
    const std::optional<BytePos> found = FindMark(m_bound.novel(), mark);
    if (!found) {
        m_bound.say(QStringLiteral("小说里已经没有这个书签的文字：%1").arg(FirstWords(mark)), true);
        return;
    }
    m_bound.moveTo(*found);
}

void BookmarkCommands::exportMarkdown()
{
    const std::optional<QList<Bookmark>> marks = load();
    if (!marks)
        return;
    const QString title = QFileInfo(m_bound.novel().path).completeBaseName();
    const QString path = QFileDialog::getSaveFileName(m_window, QStringLiteral("导出书签"),
                                                      QFileInfo(m_bound.novel().path).absolutePath() + QLatin1Char('/')
                                                          + title + QStringLiteral(" 书签.md"),
                                                      QStringLiteral("Markdown (*.md)"));
    if (path.isEmpty())
        return;
    if (ReplaceFile(path, BookmarkFile::Markdown(title, *marks, m_bound.chapters()).toUtf8()))
        m_bound.say(QStringLiteral("书签已导出到 %1").arg(path), false);
    else
        m_bound.say(QStringLiteral("书签没有导出：不能写入 %1").arg(path), true);
}
