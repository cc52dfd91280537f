#include "ProgramFolder.h"
#include "mdlIniFile.h"
#include <QCoreApplication>
#include <algorithm>

namespace {
QString &overriddenFolder()
{
    static QString folder;
    return folder;
}
}

QString ProgramFolder()
{
    const QString &folder = overriddenFolder();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

QString ProgramFilePath(const QString &fileName)
{
    return ProgramFolder() + QLatin1Char('/') + fileName;
}

bool IsBareFileName(const QString &name)
{
    const auto isControl = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; };
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String(".") && name != QLatin1String("..")
        && std::none_of(name.cbegin(), name.cend(), isControl);
}

QString SideFilePath(const QString &textFileName, const QString &suffix)
{
    return IsBareFileName(textFileName) ? ProgramFilePath(textFileName + suffix) : QString();
}

void SetProgramFolder(const QString &folder)
{
    overriddenFolder() = folder;
    ForgetIniFilePath();
}
