#pragma once
#include <QString>

// The windows' titles, told apart by what each does: "朗读 - 小说名" for reading aloud and
// "原文 - 小说名 - 章名" for the reader; the chapter follows when it is known. The novel's name is
// its file's name without the folder and the ".txt".
QString NovelTitleName(const QString &novelName);
QString ReadAloudTitle(const QString &novelName, const QString &chapter);
QString ReaderTitle(const QString &novelName, const QString &chapter);
