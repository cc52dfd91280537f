#pragma once
#include "BytePos.h"
#include "Novel.h"
#include <QString>
#include <optional>

// Reads the text of the bytes [start, end) of a novel, in its encoding, piece by piece, so that a range of
// any length is handled in bounded memory. Each piece holds at most `pieceBytes` bytes and, when
// more of the range follows, ends at its last line end or else at its last break character
// (PieceBreaks.h); the bytes after that cut start the next piece. The range ends early where the
// file ends; a file that is gone (deleted on the way) is a failed read.
class TextRangeReader
{
public:
    TextRangeReader(const Novel &novel, BytePos start, BytePos end, qint64 pieceBytes);

    // The next piece; nothing once the range is done or a read failed (see failed()).
    std::optional<QString> next();
    bool failed() const { return m_failed; }
    // The byte after the last piece given.
    BytePos position() const { return m_position; }

private:
    Novel m_novel;
    BytePos m_position;
    BytePos m_end;
    qint64 m_pieceBytes;
    bool m_failed = false;
};
