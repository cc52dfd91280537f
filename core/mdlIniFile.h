#pragma once
#include <QString>

// The program's settings file: program folder + "/" + executable base name + ".ini".
namespace mdlIniFile {
QString IniFilePath();
// Writes one key; nonzero on success. Never leaves a truncated settings file.
long WriteIniString(const QString &section, const QString &key, const QString &value);
qint32 ReadIniInteger(const QString &section, const QString &key, qint32 defaultValue);
QString ReadIniString(const QString &section, const QString &key, const QString &defaultValue);
}
