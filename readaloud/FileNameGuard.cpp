#include "FileNameGuard.h"

bool IsBareFileName(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && name != QLatin1String(".")
        && name != QLatin1String("..");
}
