#pragma once
#include "BytePos.h"
#include "Novel.h"
#include "PageMeasure.h"
#include <QString>

// Cutting pages from a novel on demand, in its encoding. `position` is the 1-based byte after the page
// shown; `chunkSize` is how many bytes are read to form one page.
namespace PageEngine {

// The page that starts at `position`: the chunk read there, trimmed to what the box shows and
// cut back to its last break character. `position` moves past the page (not past the chunk),
// so what was trimmed is read again as the start of the next page. A page that shows all the
// text up to a zero byte in the file ends after the zero bytes there; zero bytes at `position`
// are stepped over. "" at the end of the file or when nothing fits, with the position left where
// it was; the position never goes past the byte after the file's last byte.
QString NextPage(PageMeasure &measure, const Novel &novel, BytePos &position, qint64 chunkSize);
inline QString NextPage(PageMeasure &measure, const QString &gbkPath, BytePos &position, qint64 chunkSize)
{
    return NextPage(measure, Novel{gbkPath}, position, chunkSize);
}

// The page that ends where `shownText` (the page box's text, ending at `position` or before the
// zero bytes that a forward turn stepped over up to `position`) begins:
// the chunk before it, trimmed from the front to what the box shows and cut after its first
// break character. `position` becomes the end of the returned page. At position 1 it returns ""
// and leaves the position; within one chunk of the start it shows the first page from byte 1.
// A chunk that would begin inside a character begins at the next character instead, still ending
// where the shown page begins.
QString PrevPage(PageMeasure &measure, const Novel &novel, BytePos &position, qint64 chunkSize,
                 const QString &shownText);
// The page on show cut again for the box as it is now (resized, or in another font): it begins
// where `shownText`, ending at `position`, begins, so that no text is skipped and a larger box is
// filled; `position` becomes the new page's end. "" when the box shows nothing (too small for one
// line) or there is no page, with the position left where it was.
QString PageAgain(PageMeasure &measure, const Novel &novel, BytePos &position, qint64 chunkSize,
                  const QString &shownText);

inline QString PrevPage(PageMeasure &measure, const QString &gbkPath, BytePos &position, qint64 chunkSize,
                        const QString &shownText)
{
    return PrevPage(measure, Novel{gbkPath}, position, chunkSize, shownText);
}

}
