#include "ExportChoices.h"
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString FormatKey = QStringLiteral("format");
const QString FolderKey = QStringLiteral("folder");
const QString NovelKey = QStringLiteral("novel");
}

QString ExportChoicesFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/tarrowin/export.conf");
}

ExportChoices LoadExportChoices()
{
    const QSettings file(ExportChoicesFilePath(), QSettings::IniFormat);
    ExportChoices choices;
    choices.format = AudioFormatFromName(file.value(FormatKey).toString()).value_or(choices.format);
    choices.folder = file.value(FolderKey).toString();
    choices.novelName = file.value(NovelKey).toString();
    return choices;
}

bool SaveExportChoices(const ExportChoices &choices)
{
    const QString path = ExportChoicesFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings file(path, QSettings::IniFormat);
    file.setValue(FormatKey, AudioFormatName(choices.format));
    file.setValue(FolderKey, choices.folder);
    file.setValue(NovelKey, choices.novelName);
    file.sync();
    return file.status() == QSettings::NoError;
}

QString ExportNovelName(const QString &novelPath)
{
    return QFileInfo(novelPath).completeBaseName();
}

QString ExportFolderOffered(const ExportChoices &last, const QString &novelPath)
{
    const QString name = ExportNovelName(novelPath);
    if (!last.folder.isEmpty()) {
        const QFileInfo folder(QDir::cleanPath(last.folder));
        if (last.novelName.isEmpty() || folder.fileName() != last.novelName)
            return folder.filePath();
        return QDir(folder.path()).filePath(name);
    }
    QString base = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(name);
}
