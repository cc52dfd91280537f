#include "ProgramFolder.h"
#include "mdlIniFile.h"
#include <QCoreApplication>

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

void SetProgramFolder(const QString &folder)
{
    overriddenFolder() = folder;
    ForgetIniFilePath();
}
