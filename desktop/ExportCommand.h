#pragma once
#include "CommandLine.h"
#include "ExportJob.h"

// Runs `tarrowin --export-audio`: finds the chapters of `novel`, checks the range asked for and
// writes the files, reporting on standard error. Returns the program's exit code: 0 when every
// file was written, 1 when the export failed, CommandLine::kUsageError for a range that does not
// fit the novel. Needs a QCoreApplication and no display.
int RunExportCommand(const QString &novel, const AudioExportRequest &request);

// What the terminal shows while an export runs, on one line of `width` columns:
// "[#####     ]  42%  003 第三回.opus  剩余 0:12".
QString ExportProgressLine(const ExportProgress &progress, int width);
