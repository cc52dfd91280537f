#pragma once
#include <QString>

// The program's settings file: program folder + "/" + executable base name + ".ini". When the
// program folder cannot be written, settings are written to (and then read from) its stand-in in
// the state folder (StateFolder.h); IniFilePath still names the file in the program folder.
namespace mdlIniFile {
QString IniFilePath();
// Writes one key; nonzero on success. Never leaves a truncated settings file.
long WriteIniString(const QString &section, const QString &key, const QString &value);
qint32 ReadIniInteger(const QString &section, const QString &key, qint32 defaultValue);
QString ReadIniString(const QString &section, const QString &key, const QString &defaultValue);

// The settings-file path for an executable file name in a folder: the name without a trailing
// ".exe", then ".ini" unless it already ends in ".ini" in any letter case; an executable named
// "x.ini" gets "x.ini.ini", never itself.
QString IniFilePathFor(const QString &folder, const QString &executableFileName);
}

// Forgets the kept settings-file path, so that the next access computes it again.
void ForgetIniFilePath();
