#pragma once
#include "TextEncoding.h"
#include <QtGlobal>
#include <optional>

// Where characters begin and end in the bytes of each encoding, judged from the bytes alone
// (nothing is converted). A byte sequence that is no character is read as ICU's decoders read
// it: in UTF-8 its longest valid beginning is one unreadable character, in the other encodings
// its first byte is, and the bytes after it are read afresh.
namespace CharacterRules {

// The byte length (1 to 4) of the character that begins at `bytes[0]`, of which `available`
// bytes are at hand; 0 when they run out before the character is complete.
int CharacterLength(TextEncoding encoding, const char *bytes, qint64 available);

// How many bytes lie from index `at` of `bytes` to the start of the next character: 0 when a
// character starts at `at`, more when `at` lies inside a character that began before it. Decided
// from the bytes before `at` (and those of the character that covers it); `firstOffset` is the
// file offset of `bytes[0]`. nullopt when the `at` bytes before it are too few to decide; more
// bytes of the file before `bytes` then settle it. When the covering character runs past the end
// of `bytes`, the count reaches to the end of `bytes`.
std::optional<qint64> BytesToCharacterStart(TextEncoding encoding, const char *bytes, qint64 size,
                                            qint64 at, qint64 firstOffset);

// How many bytes at the end of `bytes`, which begin on a character start at file offset
// `firstOffset`, belong to a character that they cut short; 0 when they end on a boundary.
qint64 CutShortAtEnd(TextEncoding encoding, const char *bytes, qint64 size, qint64 firstOffset);

}
