#include "HomePage.h"

QUrl HomePageAddress(const QString &caption)
{
    const qsizetype colon = caption.indexOf(QLatin1Char(':'));
    const QString host = colon < 0 ? caption : caption.mid(colon + 1);
    return QUrl(QStringLiteral("http://") + host);
}
