#include "kxPropertyBag.h"
#include <QImage>
#include <limits>

kxPropertyBag::kxPropertyBag(const QList<Entry> &entries)
{
    for (const Entry &entry : entries)
        WriteProperty(entry.first, entry.second);
}

int kxPropertyBag::IndexOf(const QString &key) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void kxPropertyBag::WriteProperty(const QString &key, const QVariant &value, const QVariant &defaultValue)
{
    const int index = IndexOf(key);
    if (defaultValue.isValid() && value == defaultValue) {
        if (index >= 0)
            m_entries.removeAt(index);
        return;
    }
    if (index >= 0)
        m_entries[index].second = value;
    else
        m_entries.append({key, value});
}

QVariant kxPropertyBag::ReadProperty(const QString &key, const QVariant &defaultValue) const
{
    const int index = IndexOf(key);
    return index >= 0 ? m_entries[index].second : defaultValue;
}

bool kxPropertyBag::Contains(const QString &key) const
{
    return IndexOf(key) >= 0;
}

std::optional<qint32> kxPropertyBag::ReadInteger(const QString &key, qint32 defaultValue) const
{
    bool ok = false;
    const qlonglong value = ReadProperty(key, defaultValue).toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

std::optional<quint32> kxPropertyBag::ReadColour(const QString &key, quint32 defaultValue) const
{
    // Colours are stored as signed 32-bit numbers; the unsigned form is accepted as well.
    bool ok = false;
    const qlonglong value = ReadProperty(key, defaultValue).toLongLong(&ok);
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return static_cast<quint32>(value);
}

std::optional<bool> kxPropertyBag::ReadBoolean(const QString &key, bool defaultValue) const
{
    const QVariant value = ReadProperty(key, defaultValue);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (ok)
        return number != 0;
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<QString> kxPropertyBag::ReadString(const QString &key, const QString &defaultValue) const
{
    const QVariant value = ReadProperty(key, defaultValue);
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

std::optional<kxPicture> kxPropertyBag::ReadPicture(const QString &key) const
{
    if (!Contains(key))
        return kxPicture{};
    const QVariant value = ReadProperty(key);
    if (value.typeId() == qMetaTypeId<kxPicture>())
        return value.value<kxPicture>();
    if (value.typeId() == QMetaType::QImage)
        return kxPicture{value.value<QImage>(), false};
    return std::nullopt;
}
