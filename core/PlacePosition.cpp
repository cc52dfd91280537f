#include "PlacePosition.h"
#include "CharacterStart.h"
#include "OpenNovel.h"
#include "TextCodec.h"
#include "mdlIniFile.h"
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace PlacePosition {

namespace {

const QString kSection = QStringLiteral("DANGQIAN");
const QString kKey = QStringLiteral("WEIZHI");

}

QString NovelMark(const QString &novelPath)
{
    const QByteArray path = QFileInfo(novelPath).absoluteFilePath().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16));
}

bool Keep(const QString &novelPath, BytePos position)
{
    if (novelPath.isEmpty() || position.value() < 1)
        return false;
    const QString value = QString::number(position.value()) + QLatin1Char(' ') + NovelMark(novelPath);
    if (mdlIniFile::ReadIniString(kSection, kKey, QString()) == value)
        return true;
    return mdlIniFile::WriteIniString(kSection, kKey, value) != 0;
}

std::optional<BytePos> Kept(const QString &novelPath)
{
    if (novelPath.isEmpty())
        return std::nullopt;
    const QStringList parts = mdlIniFile::ReadIniString(kSection, kKey, QString()).split(QLatin1Char(' '));
    bool number = false;
    const qint64 position = parts.value(0).toLongLong(&number);
    if (parts.size() != 2 || !number || position < 1 || parts.at(1) != NovelMark(novelPath))
        return std::nullopt;
    return BytePos(position);
}

bool TextIsAt(const Novel &novel, BytePos position, const QString &text)
{
    if (text.isEmpty() || position.value() < 1)
        return false;
    OpenNovel file(novel);
    QByteArray bytes(TextCodec::Encode(novel.encoding, text).size(), Qt::Uninitialized);
    if (file.ReadAt(position.value() - 1, bytes.data(), bytes.size()) != bytes.size())
        return false;
    return TextCodec::Decode(novel.encoding, bytes) == text && IsCharacterStart(novel, position);
}

std::optional<BytePos> BytesNear(const QString &novelPath, BytePos position, const QByteArray &bytes)
{
    QFile file(novelPath);
    if (bytes.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const qint64 step : {0, 1, -1, 2, -2, 3, -3}) {
        const qint64 at = position.value() + step;
        if (at >= 1 && file.seek(at - 1) && file.read(bytes.size()) == bytes)
            return BytePos(at);
    }
    return std::nullopt;
}

}
