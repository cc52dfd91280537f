#pragma once
#include "ChapterList.h"
#include "ChapterRange.h"
#include "ExportJob.h"
#include <QList>

// The parts to export for chapters range.first..range.last of a novel of `fileSize` bytes: one
// per entry of its table of contents, each from its heading to the next entry's (the last to the
// end of the file). The first chapter also takes the text before it (a preface, a title page),
// so that an export of the whole novel holds all of its text.
QList<ExportPart> ExportPartsOf(const ChapterList &chapters, qint64 fileSize, ChapterRange range);
// The same for the chapters `numbers` (1-based, in the order given); numbers outside the table
// are left out.
QList<ExportPart> ExportPartsOf(const ChapterList &chapters, qint64 fileSize, const QList<int> &numbers);
