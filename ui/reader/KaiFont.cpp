#include "KaiFont.h"
#include <QFont>
#include <QFontDatabase>

namespace KaiFont {

QString StandIn(const QStringList &installedFamilies)
{
    for (const char *preferred : {"AR PL UKai CN", "AR PL UKai TW", "AR PL UKai HK"}) {
        if (installedFamilies.contains(QLatin1String(preferred)))
            return QLatin1String(preferred);
    }
    for (const QString &family : installedFamilies) {
        if (family.contains(QLatin1String("Kai"), Qt::CaseInsensitive) || family.contains(QStringLiteral("楷")))
            return family;
    }
    return {};
}

void InstallSubstitute()
{
    const QString standIn = StandIn(QFontDatabase::families());
    if (!standIn.isEmpty() && !QFont::substitutes(DesignFamily).contains(standIn))
        QFont::insertSubstitution(DesignFamily, standIn);
}

}
