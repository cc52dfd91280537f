#include "FormSettings.h"
#include "mdlIniFile.h"

qint32 FormSettings::ReadInteger(const QString &key, qint32 current) const
{
    return mdlIniFile::ReadIniInteger(m_section, key, current);
}

QString FormSettings::ReadString(const QString &key, const QString &current) const
{
    return mdlIniFile::ReadIniString(m_section, key, current);
}

bool FormSettings::Write(const QString &key, const QString &value) const
{
    return mdlIniFile::WriteIniString(m_section, key, value) != 0;
}
