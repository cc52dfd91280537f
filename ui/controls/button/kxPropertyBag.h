#pragma once
#include "kxPicture.h"
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <optional>

// The named-value store a button saves itself to and loads itself from. Keys are matched without
// regard to case; entries keep the order they were first written in. A value equal to the default
// given with it is not stored, and reading a missing key gives the default.
class kxPropertyBag
{
public:
    using Entry = QPair<QString, QVariant>;

    kxPropertyBag() = default;
    explicit kxPropertyBag(const QList<Entry> &entries);

    // An invalid defaultValue means "always store".
    void WriteProperty(const QString &key, const QVariant &value, const QVariant &defaultValue = {});
    QVariant ReadProperty(const QString &key, const QVariant &defaultValue = {}) const;
    bool Contains(const QString &key) const;
    const QList<Entry> &Entries() const { return m_entries; }

    // Typed reads: the stored value, or the default when the key is missing; none when the stored
    // value cannot be read as that type (a damaged entry).
    std::optional<qint32> ReadInteger(const QString &key, qint32 defaultValue) const;
    std::optional<quint32> ReadColour(const QString &key, quint32 defaultValue) const;
    std::optional<bool> ReadBoolean(const QString &key, bool defaultValue) const;
    std::optional<QString> ReadString(const QString &key, const QString &defaultValue) const;
    // A picture: a kxPicture or a plain QImage (a bitmap); no picture when missing.
    std::optional<kxPicture> ReadPicture(const QString &key) const;

private:
    int IndexOf(const QString &key) const;

    QList<Entry> m_entries;
};
