#pragma once
#include "BytePos.h"
#include "Novel.h"
#include <QString>

// Where `text`, read from the novel up to the byte before `end` (a piece or page a window shows),
// begins in the file. A text without U+FFFD, and any text in an encoding that cannot hold U+FFFD,
// is counted from its characters alone. Otherwise each U+FFFD may be a byte that did not convert
// or a character of the file: the bytes before `end` are read again and tell. Where they do not
// hold the text any more (the file has changed), each U+FFFD counts one byte.
BytePos TextStartBefore(const Novel &novel, BytePos end, const QString &text);
