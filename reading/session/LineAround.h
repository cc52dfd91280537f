#pragma once
#include "ByteRange.h"
#include "Novel.h"
#include <QString>

// The rest of the line around a piece of a novel: from the line's start up to the piece, and from
// the piece up to and with the line's end, each at most kLineAroundBytes long. The text rules
// see a piece in its line, so that a rule for whole lines holds for a line cut into pieces.
constexpr qint64 kLineAroundBytes = 512;

struct LineAround
{
    QString before;
    QString after;
};

// Nothing for a piece whose bytes are not known or a novel that cannot be read.
LineAround LineAroundPiece(const Novel &novel, ByteRange bytes);
