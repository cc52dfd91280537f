#include "StoredPath.h"
#include "Gbk.h"
#include <QDir>
#include <QUrl>

namespace {
bool survivesSettings(const QString &path)
{
    return !path.contains(QLatin1Char('?')) && !path.startsWith(QLatin1String("file:"))
        && Gbk::toUnicode(Gbk::fromUnicode(path)) == path;
}
}

QString StoredPathText(const QString &path)
{
    if (survivesSettings(path))
        return path;
    return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded(QUrl::FullyEncoded));
}

QString PathFromStored(const QString &stored)
{
    const QString path = stored.startsWith(QLatin1String("file:"))
        ? QUrl::fromEncoded(stored.toLatin1(), QUrl::StrictMode).toLocalFile()
        : stored;
    return QDir::isAbsolutePath(path) ? path : QString();
}
