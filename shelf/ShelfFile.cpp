#include "ShelfFile.h"
#include "ReplaceFile.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

QString ShelfEntry::title() const
{
    return QFileInfo(path).completeBaseName();
}

namespace ShelfFile {

namespace {

const QString kPath = QStringLiteral("path");
const QString kPlace = QStringLiteral("place");
const QString kLastRead = QStringLiteral("lastRead");
const QString kSize = QStringLiteral("size");
const QString kModified = QStringLiteral("modified");
const QString kEncoding = QStringLiteral("encoding");
const QString kChapters = QStringLiteral("chapters");
const QString kChapter = QStringLiteral("chapter");

QJsonObject ToJson(const ShelfEntry &entry)
{
    QJsonObject object{{kPath, entry.path}, {kSize, double(entry.size)}, {kModified, double(entry.modified)},
                       {kEncoding, entry.encoding}, {kChapters, entry.chapters}, {kChapter, entry.chapter}};
    if (entry.place)
        object.insert(kPlace, double(entry.place->value()));
    if (entry.lastRead.isValid())
        object.insert(kLastRead, entry.lastRead.toString(Qt::ISODate));
    return object;
}

ShelfEntry FromJson(const QJsonObject &object)
{
    ShelfEntry entry;
    entry.path = object.value(kPath).toString();
    if (const qint64 place = qint64(object.value(kPlace).toDouble()); place >= 1)
        entry.place = BytePos(place);
    entry.lastRead = QDateTime::fromString(object.value(kLastRead).toString(), Qt::ISODate);
    entry.size = qint64(object.value(kSize).toDouble(-1));
    entry.modified = qint64(object.value(kModified).toDouble());
    entry.encoding = object.value(kEncoding).toString();
    entry.chapters = object.value(kChapters).toInt(-1);
    entry.chapter = object.value(kChapter).toString();
    return entry;
}

QStringList Strings(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        if (!item.toString().isEmpty())
            list << item.toString();
    return list;
}

}

QString Path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tarrowin/shelf.json");
}

std::optional<ShelfData> Load(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return ShelfData();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    ShelfData data;
    for (const QJsonValue &value : root.value(QStringLiteral("novels")).toArray()) {
        ShelfEntry entry = FromJson(value.toObject());
        if (QDir::isAbsolutePath(entry.path))
            data.novels << entry;
    }
    data.folders = Strings(root.value(QStringLiteral("folders")));
    data.forgotten = Strings(root.value(QStringLiteral("forgotten")));
    const QJsonObject speeds = root.value(QStringLiteral("speeds")).toObject();
    for (auto it = speeds.begin(); it != speeds.end(); ++it)
        if (it.value().toDouble() > 0)
            data.speeds.insert(it.key(), it.value().toDouble());
    return data;
}

bool Save(const ShelfData &data, const QString &path)
{
    QJsonArray novels;
    for (const ShelfEntry &entry : data.novels)
        novels.append(ToJson(entry));
    QJsonObject speeds;
    for (auto it = data.speeds.begin(); it != data.speeds.end(); ++it)
        speeds.insert(it.key(), it.value());
    const QJsonObject root{{QStringLiteral("novels"), novels},
                           {QStringLiteral("folders"), QJsonArray::fromStringList(data.folders)},
                           {QStringLiteral("forgotten"), QJsonArray::fromStringList(data.forgotten)},
                           {QStringLiteral("speeds"), speeds}};
    return QDir().mkpath(QFileInfo(path).path())
        && ReplaceFile(path, QJsonDocument(root).toJson(QJsonDocument::Compact));
}

}
