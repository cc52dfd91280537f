#pragma once
#include <QString>

// Why a file cannot be opened as a novel. A novel is a regular file that can be read and holds
// text: a folder, a device or a file of binary data (a picture, a program) is refused before
// anything is read from it or written beside it.
enum class NovelFileProblem { None, Missing, NotAFile, Unreadable, NotText };

NovelFileProblem CheckNovelFile(const QString &path);

// True when the bytes look like text in one of the encodings novels come in: few control bytes
// other than line and page breaks, or UTF-16 text (with a byte-order mark or without). A stray zero byte in a long novel
// is still text.
bool LooksLikeText(const QByteArray &start);
