#include "WindowTitle.h"
#include <QFileInfo>

namespace {
QString Title(const QString &what, const QString &novelName, const QString &chapter)
{
    QString title = what + QStringLiteral(" - ") + NovelTitleName(novelName);
    if (!chapter.isEmpty())
        title += QStringLiteral(" - ") + chapter;
    return title;
}
}

QString NovelTitleName(const QString &novelName)
{
    const QString file = QFileInfo(novelName).fileName();
    return file.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) && file.size() > 4 ? file.chopped(4) : file;
}

QString ReadAloudTitle(const QString &novelName, const QString &chapter)
{
    return Title(QStringLiteral("朗读"), novelName, chapter);
}

QString ReaderTitle(const QString &novelName, const QString &chapter)
{
    return Title(QStringLiteral("原文"), novelName, chapter);
}
