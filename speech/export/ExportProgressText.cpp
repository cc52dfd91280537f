#include "ExportProgressText.h"
#include <algorithm>

QString FormatDuration(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const QString secondsText = QStringLiteral("%1").arg(seconds % 60, 2, 10, QChar(u'0'));
    if (hours == 0)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(secondsText);
    return QStringLiteral("%1:%2:%3").arg(hours).arg(seconds / 60 % 60, 2, 10, QChar(u'0')).arg(secondsText);
}

int ExportPercent(const ExportProgress &progress)
{
    if (progress.bytesTotal <= 0)
        return 0;
    return int(std::clamp<qint64>(progress.bytesDone * 100 / progress.bytesTotal, 0, 100));
}

QString ExportStatusText(const ExportProgress &progress)
{
    QString text = QStringLiteral("正在写入 %1").arg(progress.fileName);
    if (progress.secondsLeft)
        text += QStringLiteral("，剩余 %1").arg(FormatDuration(*progress.secondsLeft));
    return text;
}

QString ExportStatusLine(const ExportProgress &progress)
{
    return QStringLiteral("导出音频 %1%：正在写入 %2").arg(ExportPercent(progress)).arg(progress.fileName);
}
