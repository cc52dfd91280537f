#include "ExportParts.h"

QList<ExportPart> ExportPartsOf(const ChapterList &chapters, qint64 fileSize, const QList<int> &numbers)
{
    QList<ExportPart> parts;
    for (const int number : numbers) {
        if (number < 1 || number > chapters.size())
            continue;
        const Chapter &chapter = chapters.at(number - 1);
        const BytePos start = number == 1 ? BytePos(1) : chapter.start;
        const BytePos end = number < chapters.size() ? chapters.at(number).start : BytePos(fileSize + 1);
        parts.append({number, chapter.title, start, end});
    }
    return parts;
}

QList<ExportPart> ExportPartsOf(const ChapterList &chapters, qint64 fileSize, ChapterRange range)
{
    QList<int> numbers;
    for (int number = range.first; number <= range.last; ++number)
        numbers.append(number);
    return ExportPartsOf(chapters, fileSize, numbers);
}
