#pragma once
#include <QString>

// The program's settings file: program folder + "/" + executable base name + ".ini".
namespace mdlIniFile {
QString IniFilePath();
// Writes one key; nonzero on success. Never leaves a truncated settings file.
long WriteIniString(const QString &section, const QString &key, const QString &value);
qint32 ReadIniInteger(const QString &section, const QString &key, qint32 defaultValue);
QString ReadIniString(const QString &section, const QString &key, const QString &defaultValue);

// The settings-file path for an executable file name in a folder: the name without a trailing
// ".exe", then ".ini" unless it already ends in ".ini" in any letter case.
QString IniFilePathFor(const QString &folder, const QString &executableFileName);
}

// Forgets the kept settings-file path, so that the next access computes it again.
void ForgetIniFilePath();
