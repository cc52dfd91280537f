#pragma once
#include "BytePos.h"
#include "OpenNovel.h"

// How many bytes of zero characters (zero bytes; zero code units in UTF-16) lie just before
// `position` in the novel's file, counting back at most `most` bytes: the zero run that a page
// steps over after its text. A file that cannot be read has none.
qint64 ZeroBytesBefore(OpenNovel &file, BytePos position, qint64 most);
