#include "NovelName.h"
#include "ProgramFolder.h"
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString NovelNameFor(const QString &path)
{
    const QFileInfo novel(path);
    const bool inProgramFolder = novel.canonicalPath() == QFileInfo(ProgramFolder()).canonicalFilePath();
    return inProgramFolder && IsBareFileName(novel.fileName()) ? novel.fileName() : QDir::cleanPath(novel.absoluteFilePath());
}

QString DroppedNovel(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty() || !data->urls().front().isLocalFile())
        return QString();
    return data->urls().front().toLocalFile();
}
