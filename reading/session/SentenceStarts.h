#pragma once
#include "ByteRange.h"
#include "Novel.h"
#include <vector>

// A place where a sentence of the novel begins: in characters (UTF-16) from the start of the
// stretch it was found in, and in bytes of the file.
struct SentenceStart
{
    qsizetype character = 0;
    BytePos byte;
};

// The sentences that begin in `stretch` of the novel, in order. The stretch's first character
// counts as one (a stretch begins at a chapter or at a sentence, or far enough before the place
// that matters for a sentence to begin between them). Empty when nothing can be read there.
std::vector<SentenceStart> SentenceStartsIn(const Novel &novel, ByteRange stretch);

// The characters (UTF-16) of the novel in `stretch`: how much is said between its ends.
qsizetype CharactersIn(const Novel &novel, ByteRange stretch);
