#include "PageEngine.h"
#include "CharBoundary.h"
#include "Gbk.h"
#include "PageCut.h"
#include "PageFit.h"
#include "mdlFileBinText.h"

namespace PageEngine {

namespace {

// The chunk at `at` as the measuring box would hold it; a failed read gives "".
QString ReadChunk(const QString &path, BytePos &at, qint64 length)
{
    return PageCut::UpToNul(mdlFileBinText::ReadTextPiece(path, at, length).value_or(QString()));
}

}

QString NextPage(PageMeasure &measure, const QString &path, BytePos &position, qint64 chunkSize)
{
    BytePos at = position;
    const QString chunk = ReadChunk(path, at, chunkSize);
    const QString page = PageCut::HeadPage(chunk.left(PageFit::FitHead(measure, chunk)));
    position += Gbk::byteLength(page);
    return page;
}

QString PrevPage(PageMeasure &measure, const QString &path, BytePos &position, qint64 chunkSize,
                 const QString &shownText, bool alignCheck)
{
    if (position == BytePos(1))
        return {};
    const BytePos start = position - Gbk::byteLength(shownText);
    BytePos at = start - chunkSize;
    if (at.value() <= 0) {
        position = BytePos(1);
        return NextPage(measure, path, position, chunkSize);
    }
    qint64 length = chunkSize;
    if (alignCheck && !CharBoundary::IsCharacterStart(path, at)) {
        at += 1;
        length -= 1;
    }
    const QString chunk = ReadChunk(path, at, length);
    const QString page = PageCut::TailPage(chunk.mid(PageFit::FitTail(measure, chunk)));
    position = at + length;
    return page;
}

}
