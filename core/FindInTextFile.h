#pragma once
#include "BytePos.h"
#include "Novel.h"
#include <QString>
#include <optional>

// Where the text of the novel's file first holds `needle` (exact character comparison): 1 + the
// byte offset in the file of the character at which the match begins, which on valid text is
// 1 + the byte length of the text before the match; a byte-order mark is no text and never part
// of a match. An empty needle is found at position 1 of any file that holds a byte. The form
// that takes a bare path reads GBK. nullopt when the needle does not occur, or the file is
// missing, empty or unreadable. The file is read once, in chunks of bounded size, whatever its
// length: the needle's bytes are searched in the file's bytes, and a match is taken only where it
// starts a character; a needle whose bytes cannot stand for it (it holds U+FFFD or characters the
// encoding lacks) is searched in the decoded text.
// The size of the chunks in which the file is read.
constexpr qint64 kFindChunkBytes = 256 * 1024;

std::optional<BytePos> FindInTextFile(const Novel &novel, const QString &needle);
// The same answer, always found by searching the decoded text.
std::optional<BytePos> FindTextInTextFile(const Novel &novel, const QString &needle);
inline std::optional<BytePos> FindInTextFile(const QString &path, const QString &needle)
{
    return FindInTextFile(Novel{path}, needle);
}
