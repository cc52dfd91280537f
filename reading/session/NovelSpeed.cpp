#include "NovelSpeed.h"
#include "PlacePosition.h"
#include "mdlIniFile.h"

namespace NovelSpeed {

namespace {
const QString kSection = QStringLiteral("YUSU");
}

double Kept(const QString &novelPath)
{
    if (novelPath.isEmpty())
        return 1.0;
    bool number = false;
    const double speed = mdlIniFile::ReadIniString(kSection, PlacePosition::NovelMark(novelPath), QString()).toDouble(&number);
    return number && speed >= kMinimum && speed <= kMaximum ? speed : 1.0;
}

bool Keep(const QString &novelPath, double speed)
{
    if (novelPath.isEmpty())
        return false;
    const QString value = QString::number(speed, 'f', 2);
    const QString key = PlacePosition::NovelMark(novelPath);
    if (mdlIniFile::ReadIniString(kSection, key, QString()) == value)
        return true;
    return mdlIniFile::WriteIniString(kSection, key, value) != 0;
}

}
