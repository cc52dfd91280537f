#pragma once
#include <QString>

// The eight characters at which the read-aloud window cuts its pieces: space, "，", "。", "？",
// "！", "：", line feed and carriage return. ASCII punctuation other than the space does not end a
// piece, so English is cut at spaces and Chinese at its full-width punctuation and line ends.
bool IsPieceBreak(QChar c);

// The 1-based index of the last break character in `text`; 0 when it holds none.
qsizetype LastPieceBreak(const QString &text);
