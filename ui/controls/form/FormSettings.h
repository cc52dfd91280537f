#pragma once
#include <QString>

// One window's section of the settings file. Reads take the control's current value as the
// default, so a missing key leaves it as it is.
class FormSettings
{
public:
    explicit FormSettings(QString section) : m_section(std::move(section)) {}

    const QString &Section() const { return m_section; }
    qint32 ReadInteger(const QString &key, qint32 current) const;
    QString ReadString(const QString &key, const QString &current) const;
    // False when the settings file could not be written; the old value then stays.
    bool Write(const QString &key, const QString &value) const;

private:
    QString m_section;
};
