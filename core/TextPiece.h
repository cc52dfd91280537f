#pragma once
#include "DecodedText.h"
#include "TextEncoding.h"
#include <QByteArray>
#include <QString>

// The bytes of a piece read at a position: those the file holds there, then `zeros` zero bytes
// standing for the part of the requested length that lies past the end of the file. `held`
// begins on a character start.
struct PieceBytes
{
    QByteArray held;
    qint64 zeros = 0;
};

struct PieceText
{
    DecodedText decoded;
    // How many bytes at the piece's end were given back: those of a character that the piece
    // cuts short, or of a zero character that ends it, or one zero byte past the end of the file.
    qint64 givenBack = 0;
};

// The most U+0000 characters that a piece gives for the zero bytes past the end of the file.
// Past it, the piece still ends in U+0000 but holds fewer of them than the length asked for, so
// that a huge length never makes a huge text.
constexpr qint64 kMaxZeroTail = qint64(1) << 20;

// Turns the bytes of a piece into its text, never ending inside a character: the bytes of a
// character cut short by the piece's end are given back, unless the file ends there (they then
// show as U+FFFD each).
PieceText CutPiece(TextEncoding encoding, PieceBytes bytes);

// What a text box keeps of a text: everything before its first U+0000.
QString TextBeforeNul(const QString &text);
