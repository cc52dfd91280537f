#pragma once
#include "AudioFormat.h"
#include <QString>

// The format and folder of the last export started from the export dialog, offered first the
// next time. Kept in a settings file of their own beside the voice's.
struct ExportChoices
{
    AudioFormat format = AudioFormat::Opus;
    QString folder;      // empty when nothing was exported yet
    QString novelName;   // the name of the novel exported into `folder`
};

QString ExportChoicesFilePath();
// What was saved; the defaults (Ogg Opus, no folder) for a missing file or unknown values.
ExportChoices LoadExportChoices();
bool SaveExportChoices(const ExportChoices &choices);

// The folder offered for exporting the novel at `novelPath`. A remembered folder named after
// the novel it was used for stands for "a folder per novel in there": another novel is offered
// a folder of its own name beside it. Any other remembered folder is offered as it is. With
// none remembered, a folder named after the novel in the user's music folder.
QString ExportFolderOffered(const ExportChoices &last, const QString &novelPath);
// The novel's name as its folders are named: its file name without the extension.
QString ExportNovelName(const QString &novelPath);
