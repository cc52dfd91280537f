#pragma once
#include "BytePos.h"
#include <QString>
#include <optional>

// Reading and writing the GBK text files and their side files. A read that fails (a position or
// length below 1, a file that cannot be opened) gives std::nullopt and leaves `position` as it was;
// callers decide what to do (the windows keep their target text as it was).
namespace mdlFileBinText {

// The whole file as text; an empty text when the file is missing or empty.
std::optional<QString> ReadTextFile(const QString &path);

// At most `length` bytes read at `position`, never ending inside or starting on the second byte of
// a double-byte character. Lowers `position` by 1 when it gives back the piece's last byte, so
// that `position + length` is always the byte after the returned piece. Bytes past the end of
// the file read as zero bytes and give U+0000 characters, at most kMaxZeroTail of them
// (TextPiece.h), so that a huge length never makes a huge text. A missing or empty file gives an
// empty text and leaves `position` as it was.
std::optional<QString> ReadTextPiece(const QString &path, BytePos &position, qint64 length);

// Makes the file hold exactly the GBK bytes of `text`, replacing it atomically. False on failure,
// in which case the old file is left as it was.
bool WriteTextFile(const QString &path, const QString &text);

}
