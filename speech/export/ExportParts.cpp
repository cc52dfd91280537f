#include "ExportParts.h"

QList<ExportPart> ExportPartsOf(const ChapterList &chapters, qint64 fileSize, ChapterRange range)
{
    QList<ExportPart> parts;
    const int last = std::min(range.last, chapters.size());
    for (int number = std::max(range.first, 1); number <= last; ++number) {
        const Chapter &chapter = chapters.at(number - 1);
        const BytePos start = number == 1 ? BytePos(1) : chapter.start;
        const BytePos end = number < chapters.size() ? chapters.at(number).start : BytePos(fileSize + 1);
        parts.append({number, chapter.title, start, end});
    }
    return parts;
}
