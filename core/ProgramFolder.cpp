#include "ProgramFolder.h"
#include "StateFolder.h"
#include "mdlIniFile.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {
QString &overriddenFolder()
{
    static QString folder;
    return folder;
}

bool hasControlCharacter(const QString &name)
{
    const auto isControl = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; };
    return std::any_of(name.cbegin(), name.cend(), isControl);
}

QString installedShareFolder(const QString &executableFolder)
{
    return QDir::cleanPath(executableFolder + QStringLiteral("/../share/tarrowin"));
}

bool isInstalled(const QString &executableFolder)
{
    return QFileInfo(executableFolder).fileName() == QLatin1String("bin")
        && QFileInfo(installedShareFolder(executableFolder)).isDir();
}

// The installed program's folder, made with the sample novel in it on first use.
QString preparedDataFolder(const QString &folder, const QString &shipped)
{
    if (!QFileInfo(folder).isDir() && QDir().mkpath(folder))
        QFile::copy(shipped + QLatin1Char('/') + SampleNovelName(), folder + QLatin1Char('/') + SampleNovelName());
    return folder;
}

QString executableFolderProgramFolder()
{
    static const QString folder = [] {
        const QString executableFolder = QCoreApplication::applicationDirPath();
        const QString chosen = ProgramFolderFor(
            executableFolder, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        return chosen == executableFolder ? chosen : preparedDataFolder(chosen, ShippedFilesFolder());
    }();
    return folder;
}

// The file a side file stands beside, or an empty text when `name` names no novel.
QString besidePath(const QString &textFileName, const QString &suffix)
{
    if (IsBareFileName(textFileName))
        return ProgramFilePath(textFileName + suffix);
    return IsNovelPath(textFileName) ? textFileName + suffix : QString();
}
}

QString ProgramFolderFor(const QString &executableFolder, const QString &dataHome)
{
    return isInstalled(executableFolder) ? dataHome + QStringLiteral("/tarrowin") : executableFolder;
}

QString ProgramFolder()
{
    const QString &folder = overriddenFolder();
    return folder.isEmpty() ? executableFolderProgramFolder() : folder;
}

QString ShippedFilesFolder()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    return isInstalled(executableFolder) ? installedShareFolder(executableFolder) : executableFolder;
}

QString SampleNovelName()
{
    return QStringLiteral("西游记.txt");
}

QString ProgramFilePath(const QString &fileName)
{
    return ProgramFolder() + QLatin1Char('/') + fileName;
}

bool IsBareFileName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && name != QLatin1String(".") && name != QLatin1String("..") && !hasControlCharacter(name);
}

bool IsNovelPath(const QString &name)
{
    return name.size() > 1 && name.startsWith(QLatin1Char('/')) && !name.endsWith(QLatin1Char('/'))
        && !hasControlCharacter(name);
}

QString NovelFilePath(const QString &name)
{
    return IsNovelPath(name) ? name : ProgramFilePath(name);
}

QString SideFilePath(const QString &textFileName, const QString &suffix)
{
    const QString beside = besidePath(textFileName, suffix);
    return beside.isEmpty() ? beside : WritablePathFor(beside);
}

QString SideFileToRead(const QString &textFileName, const QString &suffix)
{
    const QString beside = besidePath(textFileName, suffix);
    return beside.isEmpty() ? beside : ReadablePathFor(beside);
}

void SetProgramFolder(const QString &folder)
{
    overriddenFolder() = folder;
    ForgetIniFilePath();
}
