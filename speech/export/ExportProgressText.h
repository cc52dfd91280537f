#pragma once
#include "ExportJob.h"
#include <QString>

// Seconds as "M:SS", or "H:MM:SS" from an hour on.
QString FormatDuration(qint64 seconds);
// The share of an export done, 0 to 100.
int ExportPercent(const ExportProgress &progress);
// What the export dialog says while it writes: "正在写入 003 第三回.opus，剩余 0:12".
QString ExportStatusText(const ExportProgress &progress);
// What the read-aloud window's status line says of an export running out of sight, changing only
// with the share done and the file: "导出音频 42%：正在写入 003 第三回.opus".
QString ExportStatusLine(const ExportProgress &progress);
