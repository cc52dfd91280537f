#pragma once
#include "BytePos.h"
#include "ByteRange.h"
#include "DecodedText.h"
#include "Novel.h"
#include "OpenNovel.h"
#include <QString>
#include <optional>

// Reading and writing novels and their side files, in the novel's encoding. A read that fails (a
// position or length below 1, a file that cannot be opened) gives std::nullopt and leaves
// `position` as it was; callers decide what to do (the windows keep their target text as it
// was). The forms that take a bare path read and write the system code page (GBK).
namespace mdlFileBinText {

// The whole file as text, without its byte-order mark; an empty text when the file is missing or
// empty.
std::optional<QString> ReadTextFile(const Novel &novel);
inline std::optional<QString> ReadTextFile(const QString &path) { return ReadTextFile(Novel{path}); }

// At most `length` bytes read at `position`, never ending inside a character nor starting inside
// one: when `position` lies inside a character that began before it (judged from the bytes
// before it) or inside the byte-order mark, the piece starts at the next character. Lowers
// `position` by the bytes it gives back at the piece's end (CutPiece, TextPiece.h), so that
// `position + length` is always the byte after the returned piece. Bytes past the end of the
// file read as zero bytes and give U+0000 characters, at most kMaxZeroTail of them, so that a
// huge length never makes a huge text. A missing or empty file gives an empty text and leaves
// `position` as it was.
std::optional<QString> ReadTextPiece(const Novel &novel, BytePos &position, qint64 length);
// The same, with the places of the U+FFFD characters that stand for a byte that did not convert,
// so that the bytes of any part of the piece can be counted (TextCodec::ByteLength).
std::optional<DecodedText> ReadDecodedPiece(const Novel &novel, BytePos &position, qint64 length);
// The same two reads on a file opened already, so that the reads of one page turn share it.
std::optional<QString> ReadTextPiece(OpenNovel &file, BytePos &position, qint64 length);
std::optional<DecodedText> ReadDecodedPiece(OpenNovel &file, BytePos &position, qint64 length);
inline std::optional<QString> ReadTextPiece(const QString &path, BytePos &position, qint64 length)
{
    return ReadTextPiece(Novel{path}, position, length);
}

// Whether the novel holds any character to read: false for a missing or empty file, or one of
// nothing but blanks, line ends and zero bytes. Read in pieces, up to the first such character.
bool HoldsText(const Novel &novel);

// What a side file holds for `text`, the text read from the novel's bytes `bytes`: those bytes
// themselves when they read as `text`, so that a byte that does not convert is kept as the file
// has it (and the text is found there again), else `text` in the novel's encoding. The two are
// the same for text the encoding holds.
QByteArray PlaceBytes(const Novel &novel, ByteRange bytes, const QString &text);

// Makes the file hold exactly the bytes of `text` in the novel's encoding (no byte-order mark),
// replacing it atomically. False on failure, in which case the old file is left as it was.
bool WriteTextFile(const Novel &novel, const QString &text);
inline bool WriteTextFile(const QString &path, const QString &text) { return WriteTextFile(Novel{path}, text); }

}
