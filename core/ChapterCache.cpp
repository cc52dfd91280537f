#include "ChapterCache.h"
#include "ChapterScan.h"
#include "EncodingDetection.h"
#include "ReplaceFile.h"
#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr quint32 kMagic = 0x54574331; // "TWC1"
constexpr quint32 kVersion = 2;
// Bounds of a sound cache file; anything past them is damage.
constexpr quint32 kMostEntries = 1u << 22;
constexpr qsizetype kLongestTitle = 1024;

QDataStream &operator<<(QDataStream &out, const FileStamp &stamp)
{
    return out << stamp.path << stamp.size << stamp.modified << EncodingName(stamp.encoding);
}

std::optional<Chapter> ReadEntry(QDataStream &in, BytePos after, qint64 fileSize)
{
    qint64 start = 0;
    quint8 level = 0;
    QString title;
    in >> start >> level >> title;
    if (in.status() != QDataStream::Ok || start <= after.value() || start > std::max<qint64>(fileSize, 1)
        || level > quint8(HeadingLevel::Chapter) || title.size() > kLongestTitle)
        return std::nullopt;
    return Chapter{BytePos(start), HeadingLevel(level), title};
}

}

FileStamp FileStamp::Of(const Novel &novel)
{
    const QFileInfo info(novel.path);
    FileStamp stamp;
    stamp.path = info.absoluteFilePath();
    stamp.encoding = novel.encoding;
    if (info.isFile()) {
        stamp.size = info.size();
        stamp.modified = info.lastModified().toMSecsSinceEpoch();
    }
    return stamp;
}

namespace ChapterCache {

QString CacheFilePath(const QString &path)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QByteArray key = QCryptographicHash::hash(QFileInfo(path).absoluteFilePath().toUtf8(),
                                                    QCryptographicHash::Sha1).toHex();
    return folder + QStringLiteral("/tarrowin/chapters-") + QString::fromLatin1(key) + QStringLiteral(".toc");
}

namespace {

// What a cache file begins with: the stamp it was kept for, and the table's shape.
struct Header
{
    FileStamp stamp;
    bool headingsFound = false;
    quint32 count = 0;
};

// The header of the cache file `in` reads, when it is one of this version for a novel at
// `stamp`'s path, size and time of change (the encoding is the caller's to compare).
std::optional<Header> ReadHeader(QDataStream &in, const FileStamp &stamp)
{
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, version = 0;
    Header header;
    QString encoding;
    in >> magic >> version >> header.stamp.path >> header.stamp.size >> header.stamp.modified >> encoding
        >> header.headingsFound >> header.count;
    const std::optional<TextEncoding> kept = EncodingFromName(encoding);
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion || !kept
        || header.stamp.path != stamp.path || header.stamp.size != stamp.size
        || header.stamp.modified != stamp.modified || header.count == 0 || header.count > kMostEntries)
        return std::nullopt;
    header.stamp.encoding = *kept;
    return header;
}

}

std::optional<ChapterList> Load(const FileStamp &stamp)
{
    QFile file(CacheFilePath(stamp.path));
    if (stamp.size < 0 || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDataStream in(&file);
    const std::optional<Header> header = ReadHeader(in, stamp);
    if (!header || header->stamp.encoding != stamp.encoding)
        return std::nullopt;
    const quint32 count = header->count;
    const bool headingsFound = header->headingsFound;
    std::vector<Chapter> entries;
    BytePos after(0);
    for (quint32 i = 0; i < count; ++i) {
        std::optional<Chapter> entry = ReadEntry(in, after, stamp.size);
        if (!entry)
            return std::nullopt;
        after = entry->start;
        entries.push_back(std::move(*entry));
    }
    if (!in.atEnd())
        return std::nullopt;
    return ChapterList(std::move(entries), headingsFound);
}

std::optional<TextEncoding> KeptEncoding(const FileStamp &stamp)
{
    QFile file(CacheFilePath(stamp.path));
    if (stamp.size < 0 || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDataStream in(&file);
    const std::optional<Header> header = ReadHeader(in, stamp);
    return header ? std::optional<TextEncoding>(header->stamp.encoding) : std::nullopt;
}

bool Save(const FileStamp &stamp, const ChapterList &chapters)
{
    const QString path = CacheFilePath(stamp.path);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << stamp << chapters.headingsFound() << quint32(chapters.size());
    for (const Chapter &chapter : chapters.entries())
        out << chapter.start.value() << quint8(chapter.level) << chapter.title;
    // Replaced like every file the program writes: a link in the cache folder is not written through.
    return out.status() == QDataStream::Ok && ReplaceFile(path, bytes);
}

}

std::optional<ChapterList> LoadOrScanChapters(const QString &path, const std::atomic_bool *cancelled)
{
    return LoadOrScanChapters(Novel{path, DetectFileEncoding(path)}, cancelled);
}

std::optional<ChapterList> LoadOrScanChapters(const Novel &novel, const std::atomic_bool *cancelled)
{
    const FileStamp before = FileStamp::Of(novel);
    if (std::optional<ChapterList> kept = ChapterCache::Load(before))
        return kept;
    std::optional<ChapterList> scanned = ScanChapters(novel, cancelled);
    // A file that changed while it was scanned is scanned again at its next open.
    if (scanned && FileStamp::Of(novel) == before)
        ChapterCache::Save(before, *scanned);
    return scanned;
}
