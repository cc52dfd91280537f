#pragma once
#include "BytePos.h"
#include "Novel.h"
#include <QString>

// The word being heard, in bytes of the file, with the piece it is read from.
struct HeardWord
{
    BytePos pieceStart;
    BytePos pieceEnd; // the byte after the piece
    BytePos start;
    qint64 length = 0;
};

// The word at `characterPosition` (0-based, `length` characters) of `piece`, which starts at
// `pieceStart` of the novel. Positions beyond the piece are held to its end.
HeardWord HeardWordIn(const Novel &novel, BytePos pieceStart, const QString &piece,
                      int characterPosition, int length);
