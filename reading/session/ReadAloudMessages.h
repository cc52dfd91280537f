#pragma once
#include <QString>
#include <optional>

// The read-aloud window's short messages for input it cannot use: each says what is wrong and,
// where the window goes on in some way, what it does.
namespace ReadAloudMessages {

// True for a piece length the window reads: 1 to kMaxPieceLength bytes.
bool IsPieceLength(qint64 length);
// "朗读长度应在 1 到 <most> 之间".
QString PieceLengthOutOfRange();
// The piece length holds no whole character at the position, so no piece can be read there.
QString PieceLengthTooShort(qint64 length);
// What keeps the text file named `fileName` (in the program folder, or by its absolute path) from being read: none chosen
// yet, missing (or a folder, or no regular file), hidden (its name begins with a dot: such files
// read as empty), or empty; nothing when it can be read.
std::optional<QString> TextFileProblem(const QString &fileName);
// The ".find" text occurs nowhere in the file, so reading starts at the beginning.
// A line of a listener's reading file that does not parse, and how many more do not.
QString ReadingsLineRefused(const QString &file, int line, const QString &text, int others);
QString PlaceNotFound();
// A text the user searched for occurs nowhere in the file.
QString SearchTextNotFound();
// The side file `fileName` that holds the place is there but cannot be read; it is left as it is.
QString PlaceUnreadable(const QString &fileName);
// The place could not be saved to the side file `fileName`.
QString PlaceNotSaved(const QString &fileName);
// 上一章 in the first chapter, 下一章 in the last: there is none to go to.
QString NoChapterBefore();
QString NoChapterAfter();
// "本章结束" chosen in the last chapter: reading stops at the novel's end, as it does anyway.
QString LastChapterEndsWithTheNovel();
// A chapter chosen from a table of contents that no longer fits the novel (shortened meanwhile).
QString ChapterGone();

}
