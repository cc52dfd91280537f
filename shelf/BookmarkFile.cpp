#include "BookmarkFile.h"
#include "ChapterList.h"
#include "ProgramFolder.h"
#include "ReplaceFile.h"
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace BookmarkFile {

namespace {

QJsonObject ToJson(const Bookmark &mark)
{
    return QJsonObject{{QStringLiteral("at"), double(mark.at.value())},
                       {QStringLiteral("text"), mark.text},
                       {QStringLiteral("note"), mark.note},
                       {QStringLiteral("when"), mark.when.toString(Qt::ISODateWithMs)}};
}

std::optional<Bookmark> FromJson(const QJsonObject &object)
{
    const qint64 at = qint64(object.value(QStringLiteral("at")).toDouble());
    const QString text = object.value(QStringLiteral("text")).toString();
    if (at < 1 || text.isEmpty())
        return std::nullopt;
    return Bookmark{BytePos(at), text, object.value(QStringLiteral("note")).toString(),
                    QDateTime::fromString(object.value(QStringLiteral("when")).toString(), Qt::ISODateWithMs)};
}

}

QString PathFor(const QString &novelName)
{
    return SideFilePath(novelName, kSuffix);
}

std::optional<QList<Bookmark>> Load(const QString &novelName)
{
    QFile file(SideFileToRead(novelName, kSuffix));
    if (!file.exists())
        return QList<Bookmark>();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return std::nullopt;
    QList<Bookmark> marks;
    for (const QJsonValue &value : document.object().value(QStringLiteral("bookmarks")).toArray()) {
        const std::optional<Bookmark> mark = FromJson(value.toObject());
        if (!mark)
            return std::nullopt;
        marks << *mark;
    }
    return marks;
}

bool Save(const QString &novelName, const QList<Bookmark> &marks)
{
    const QString path = PathFor(novelName);
    if (path.isEmpty())
        return false;
    QJsonArray array;
    for (const Bookmark &mark : marks)
        array.append(ToJson(mark));
    return ReplaceFile(path, QJsonDocument(QJsonObject{{QStringLiteral("bookmarks"), array}}).toJson());
}

QString Markdown(const QString &title, const QList<Bookmark> &marks, const ChapterList &chapters)
{
    QList<Bookmark> inOrder = marks;
    std::stable_sort(inOrder.begin(), inOrder.end(), [](const Bookmark &a, const Bookmark &b) { return a.at < b.at; });
    QString out = QStringLiteral("# 《%1》书签\n").arg(title);
    std::optional<QString> chapter;
    for (const Bookmark &mark : inOrder) {
        const QString here = chapters.titleAt(mark.at);
        if (here != chapter)
            out += QStringLiteral("\n## %1\n\n").arg(here.isEmpty() ? QStringLiteral("（开头）") : here);
        chapter = here;
        out += QStringLiteral("- %1 %2").arg(mark.when.toString(QStringLiteral("yyyy-MM-dd HH:mm")), mark.text.simplified());
        if (!mark.note.isEmpty())
            out += QStringLiteral("\n  > %1").arg(mark.note.simplified());
        out += QLatin1Char('\n');
    }
    return out;
}

}
