#pragma once
#include "BytePos.h"
#include <QByteArray>
#include <QString>

// Whether a byte position of a GBK file starts a character or falls on the second byte of a
// double-byte one. Answered from the bytes just before the position: a byte below 0x40 is never
// the second byte of a character, so the characters are counted from the last such byte (or the
// start of the file) up to the position. Only that stretch is read, and nothing is converted.
namespace CharBoundary {

// True when `bytes`, which begin on a character start, end on a character boundary.
bool EndsOnBoundary(const QByteArray &bytes);

// Index just after the last byte of `bytes` that can only be a whole character (below 0x40),
// or -1 when there is none.
qsizetype AfterLastAnchor(const QByteArray &bytes);

// True when `position` starts a character of the file at `path`. Position 1, a position that
// cannot be read, and a missing file count as a start.
bool IsCharacterStart(const QString &path, BytePos position);

}
