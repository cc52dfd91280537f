#pragma once
#include "BytePos.h"
#include "DecodedText.h"
#include "Novel.h"
#include <QString>

// Counting the bytes of a text that a window shows (a piece, a page, a word on it) from the place
// in the novel where it was read. A text without U+FFFD, and any text in an encoding that cannot
// hold U+FFFD, is counted from its characters alone. Otherwise each U+FFFD may be a byte that did
// not convert or a character of the file: the bytes at that place are read again and tell. Where
// they no longer hold the text (the file has changed), each U+FFFD counts one byte.

// Where `text`, read from the novel up to the byte before `end`, begins in the file.
BytePos TextStartBefore(const Novel &novel, BytePos end, const QString &text);

// `text`, read from the novel from `start` on, with the places of its U+FFFD that stand for a byte
// that did not convert (TextCodec::ByteLength then counts any part of it).
DecodedText TextReadAt(const Novel &novel, BytePos start, const QString &text);
