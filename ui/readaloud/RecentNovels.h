#pragma once
#include <QString>
#include <QStringList>

// "最近打开": the novels opened last, newest first, kept in the settings file under `DANGQIAN` as
// `ZUIJIN0` (the newest) to `ZUIJIN9`, each an absolute path (StoredPath.h).
namespace RecentNovels {
constexpr int kMaxCount = 10;

// `list` with `path` put first, an older entry of the same path dropped, at most kMaxCount long.
QStringList WithFirst(QStringList list, const QString &path);
// The stored list as it is, missing files included.
QStringList Stored();
// The stored list without the novels that are no longer there, for the menu.
QStringList Present();
// Puts `path` first in the stored list.
void Remember(const QString &path);
}
