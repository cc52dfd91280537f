#pragma once
#include "BytePos.h"
#include "PageMeasure.h"
#include <QString>

// Cutting pages from a GBK text file on demand. `position` is the 1-based byte after the page
// shown; `chunkSize` is how many bytes are read to form one page.
namespace PageEngine {

// The page that starts at `position`: the chunk read there, trimmed to what the box shows and
// cut back to its last break character. `position` moves past the page (not past the chunk),
// so what was trimmed is read again as the start of the next page. "" at the end of the file.
QString NextPage(PageMeasure &measure, const QString &path, BytePos &position, qint64 chunkSize);

// The page that ends where `shownText` (the page box's text, ending at `position`) begins:
// the chunk before it, trimmed from the front to what the box shows and cut after its first
// break character. `position` becomes the end of the returned page. At position 1 it returns ""
// and leaves the position; within one chunk of the start it shows the first page from byte 1.
// With `alignCheck`, a chunk that would begin on the second byte of a double-byte character
// begins one byte later instead, still ending where the shown page begins.
QString PrevPage(PageMeasure &measure, const QString &path, BytePos &position, qint64 chunkSize,
                 const QString &shownText, bool alignCheck);

}
