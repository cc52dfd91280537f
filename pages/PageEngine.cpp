#include "PageEngine.h"
#include "TextCodec.h"
#include "TextPiece.h"
#include "TextStart.h"
#include "PageCut.h"
#include "PageFit.h"
#include "ZeroRun.h"
#include "mdlFileBinText.h"
#include <algorithm>

namespace PageEngine {

namespace {

// The chunk at `at` as the measuring box would hold it; a failed read gives "".
QString ReadChunk(OpenNovel &file, BytePos &at, qint64 length)
{
    return TextBeforeNul(mdlFileBinText::ReadTextPiece(file, at, length).value_or(QString()));
}

// How many U+0000 characters `text` holds from `at` on, before any other character.
qsizetype ZerosAt(const QString &text, qsizetype at)
{
    qsizetype zeros = 0;
    while (at + zeros < text.size() && text.at(at + zeros).isNull())
        ++zeros;
    return zeros;
}

// The byte after the file's last byte: where a backward turn starts at the latest, so that a file
// that has shrunk below the reading position shows its last page instead of nothing.
BytePos EndOfFile(const OpenNovel &file)
{
    return BytePos(file.size() + 1);
}

// NextPage on a file opened already.
QString NextPageIn(PageMeasure &measure, OpenNovel &file, BytePos &position, qint64 chunkSize)
{
    const Novel &novel = file.novel();
    const BytePos end = EndOfFile(file);
    for (BytePos from = position; from < end;) {
        BytePos at = from;
        const DecodedText decoded = mdlFileBinText::ReadDecodedPiece(file, at, chunkSize).value_or(DecodedText());
        const QString &read = decoded.text;
        const QString chunk = TextBeforeNul(read);
        const QString page = PageCut::HeadPage(chunk.left(PageFit::FitHead(measure, chunk)));
        // A page that holds all the text up to a zero byte ends after the zero bytes there, so
        // that the next page goes on after them.
        qsizetype used = page.size();
        if (used == chunk.size())
            used += ZerosAt(read, used);
        // Counted back from the end of what was read: the read may have left out first bytes
        // that lay inside a character, and then the page begins after `from`.
        const qint64 unused = TextCodec::ByteLength(novel.encoding, decoded, used, read.size());
        const BytePos after = std::min(at + chunkSize - unused, end);
        if (!page.isEmpty()) {
            position = after;
            return page;
        }
        if (!chunk.isEmpty() || read.isEmpty())
            break; // nothing fits the box, or nothing was read: the position stays
        from = after; // zero bytes there: the page is the text after them
    }
    return {};
}

}

QString NextPage(PageMeasure &measure, const Novel &novel, BytePos &position, qint64 chunkSize)
{
    OpenNovel file(novel);
    return NextPageIn(measure, file, position, chunkSize);
}

QString PrevPage(PageMeasure &measure, const Novel &novel, BytePos &position, qint64 chunkSize,
                 const QString &shownText)
{
    if (position == BytePos(1))
        return {};
    // One open file and one look at its size serve the whole turn.
    OpenNovel file(novel);
    // The shown page began before its text and the zero run that the forward turn stepped over.
    const BytePos shownEnd = position - ZeroBytesBefore(file, position, chunkSize);
    const BytePos start = std::min(TextStartBefore(novel, shownEnd, shownText), EndOfFile(file));
    BytePos at = start - chunkSize;
    if (at.value() <= 0) {
        position = BytePos(1);
        return NextPageIn(measure, file, position, chunkSize);
    }
    // The read itself begins the chunk at the next character when `at` lies inside one.
    const QString chunk = ReadChunk(file, at, chunkSize);
    const QString page = PageCut::TailPage(chunk.mid(PageFit::FitTail(measure, chunk)));
    position = at + chunkSize;
    return page;
}


QString PageAgain(PageMeasure &measure, const Novel &novel, BytePos &position, qint64 chunkSize,
                  const QString &shownText)
{
    if (shownText.isEmpty())
        return QString();
    OpenNovel file(novel);
    // As for a backward turn: the shown text ends before the zero run its turn stepped over.
    const BytePos shownEnd = position - ZeroBytesBefore(file, position, chunkSize);
    BytePos from = std::max(TextStartBefore(novel, shownEnd, shownText), BytePos(1));
    const QString page = NextPageIn(measure, file, from, chunkSize);
    if (!page.isEmpty())
        position = from;
    return page;
}

}
