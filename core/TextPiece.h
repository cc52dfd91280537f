#pragma once
#include <QByteArray>
#include <QString>

// The bytes of a piece read at a position: those the file holds there, then `zeros` zero bytes
// standing for the part of the requested length that lies past the end of the file.
struct PieceBytes
{
    QByteArray held;
    qint64 zeros = 0;
};

struct PieceText
{
    QString text;
    // True when the piece's last byte was given back (it was a lead byte, or a zero byte).
    bool lastByteGivenBack = false;
};

// The most U+0000 characters that a piece gives for the zero bytes past the end of the file.
// Past it, the piece still ends in U+0000 but holds fewer of them than the length asked for, so
// that a huge length never makes a huge text.
constexpr qint64 kMaxZeroTail = qint64(1) << 20;

// Turns the bytes of a piece into its text, never ending inside a double-byte character (the
// last byte is given back when the text would end in U+0000) nor starting on a trail byte (the
// first byte is dropped when the text does not convert back to the same bytes).
PieceText CutPiece(PieceBytes bytes);
