#pragma once
#include "Bookmark.h"
#include <QList>
#include <QString>
#include <optional>

class ChapterList;

// A novel's bookmarks, kept in a side file of their own beside the novel (name + ".marks"), or in
// the state folder when the novel's folder cannot be written, as the place is. Older versions
// know no such file and leave it alone.
namespace BookmarkFile {

// The side file's suffix.
inline const QString kSuffix = QStringLiteral(".marks");

// The bookmarks kept for the novel the read-aloud window names `novelName` (a bare name in the
// program folder, or a path), in the order they were set; none when there is no file. nullopt
// when the file is there but cannot be read or is damaged: it is then never written over.
std::optional<QList<Bookmark>> Load(const QString &novelName);
// Keeps `marks` as the novel's bookmarks, replacing the file whole; false (the old file as it
// was) when it cannot be written.
bool Save(const QString &novelName, const QList<Bookmark> &marks);
// Where they are written.
QString PathFor(const QString &novelName);

// The bookmarks as a Markdown document titled by the novel's `title`, each under its chapter.
QString Markdown(const QString &title, const QList<Bookmark> &marks, const ChapterList &chapters);

}
