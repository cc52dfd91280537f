#include "PageEngine.h"
#include "CharacterStart.h"
#include "TextCodec.h"
#include "PageCut.h"
#include "PageFit.h"
#include "mdlFileBinText.h"
#include <QFileInfo>
#include <algorithm>

namespace PageEngine {

namespace {

// The chunk at `at` as the measuring box would hold it; a failed read gives "".
QString ReadChunk(const Novel &novel, BytePos &at, qint64 length)
{
    return PageCut::UpToNul(mdlFileBinText::ReadTextPiece(novel, at, length).value_or(QString()));
}

// The byte after the file's last byte: where a backward turn starts at the latest, so that a file
// that has shrunk below the reading position shows its last page instead of nothing.
BytePos EndOfFile(const QString &path)
{
    return BytePos(QFileInfo(path).size() + 1);
}

}

QString NextPage(PageMeasure &measure, const Novel &novel, BytePos &position, qint64 chunkSize)
{
    BytePos at = position;
    const QString read = mdlFileBinText::ReadTextPiece(novel, at, chunkSize).value_or(QString());
    const QString chunk = PageCut::UpToNul(read);
    const QString page = PageCut::HeadPage(chunk.left(PageFit::FitHead(measure, chunk)));
    if (page.isEmpty())
        return page; // nothing to show (the end of the file, no file, a zero byte): the position stays
    // Counted back from the end of what was read: the read may have left out first bytes that
    // lay inside a character, and then the page begins after `position`.
    position = at + chunkSize - TextCodec::ByteLength(novel.encoding, read.mid(page.size()));
    return page;
}

QString PrevPage(PageMeasure &measure, const Novel &novel, BytePos &position, qint64 chunkSize,
                 const QString &shownText, bool alignCheck)
{
    if (position == BytePos(1))
        return {};
    const BytePos start = std::min(position - TextCodec::ByteLength(novel.encoding, shownText), EndOfFile(novel.path));
    BytePos at = start - chunkSize;
    if (at.value() <= 0) {
        position = BytePos(1);
        return NextPage(measure, novel, position, chunkSize);
    }
    qint64 length = chunkSize;
    const qint64 skip = alignCheck ? BytesToCharacterStart(novel, at) : 0;
    if (skip < length) {
        at += skip;
        length -= skip;
    }
    const QString chunk = ReadChunk(novel, at, length);
    const QString page = PageCut::TailPage(chunk.mid(PageFit::FitTail(measure, chunk)));
    position = at + length;
    return page;
}

}
