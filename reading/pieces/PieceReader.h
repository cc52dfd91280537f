#pragma once
#include "ByteRange.h"
#include "BytePos.h"
#include "Novel.h"
#include "TextPiece.h"
#include <QString>

// The longest piece the window reads in one go: the longest run of zero bytes a read gives past
// the end of the file, so that every piece length read gives the right position there. A longer
// piece length cannot be read and is treated like one that yields nothing.
constexpr qint64 kMaxPieceLength = kMaxZeroTail;

// Reads `length` bytes of the novel at `position`, in its encoding, cuts them back to the last break character and
// returns that piece; `position` then names the byte after the piece, so that the text after the
// last break is read again as the start of the next piece. A run without a break is returned
// whole. A failed read (a missing file, a length below 1) gives an empty piece and moves the
// position by the length only; a length above kMaxPieceLength gives an empty piece and leaves the
// position alone. Past the end of the file the piece holds U+0000 characters for the bytes that
// are not there.
QString NextPiece(const Novel &novel, BytePos &position, qint64 length);
inline QString NextPiece(const QString &gbkPath, BytePos &position, qint64 length)
{
    return NextPiece(Novel{gbkPath}, position, length);
}

// The next piece that holds text as a text box shows it: NextPiece up to its first U+0000, the
// position then at the byte after the zero bytes there, so that the text after them comes next.
// Zero bytes where a piece would start are stepped over. At the end of the file the piece is empty, and a piece that
// reaches the end leaves `position` at the byte after the file's last byte, never further, so
// that text added to the file later is read from there. The piece comes with the bytes of the
// novel its text was read from.
struct ShownPiece
{
    QString text;
    ByteRange bytes;
};
ShownPiece NextShownPiece(const Novel &novel, BytePos &position, qint64 length);
