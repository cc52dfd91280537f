#include "NovelName.h"
#include "ProgramFolder.h"
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString NovelNameFor(const QString &path)
{
    const QFileInfo novel(path);
    // The folder the name stands in, not the one a link there points into.
    const bool inProgramFolder =
        QFileInfo(novel.absolutePath()).canonicalFilePath() == QFileInfo(ProgramFolder()).canonicalFilePath();
    return inProgramFolder && IsBareFileName(novel.fileName()) ? novel.fileName() : QDir::cleanPath(novel.absoluteFilePath());
}

QString DroppedNovel(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty() || !data->urls().front().isLocalFile())
        return QString();
    return data->urls().front().toLocalFile();
}
