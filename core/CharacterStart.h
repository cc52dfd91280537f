#pragma once
#include "BytePos.h"
#include "Novel.h"

// Whether a byte position of a novel's file starts a character, judged from the bytes just
// before it (and those of the character that covers it); only that stretch of the file is read.
// A byte-order mark counts as no character: the positions inside it count to its end.

// How many bytes lie from `position` to the next character start: 0 when a character starts
// there. Position 1, a position that cannot be read, and a missing file count as a start.
qint64 BytesToCharacterStart(const Novel &novel, BytePos position);

inline bool IsCharacterStart(const Novel &novel, BytePos position)
{
    return BytesToCharacterStart(novel, position) == 0;
}

// The start of the character that covers `position`: `position` itself when a character starts
// there, else the nearest start before it (never before position 1).
BytePos CharacterStartAtOrBefore(const Novel &novel, BytePos position);
