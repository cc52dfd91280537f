#include "ShelfDetails.h"
#include "ChapterCache.h"
#include "EncodingDetection.h"
#include "KeptPlace.h"
#include "NovelEncoding.h"
#include "NovelName.h"
#include "PlacePosition.h"
#include "ProgramFolder.h"
#include "mdlFileBinText.h"
#include <QFileInfo>
#include <cmath>

namespace ShelfDetails {

namespace {

// A ".find" longer than this holds no place worth reading while the shelf is drawn.
constexpr qint64 kLongestPlaceText = 64 * 1024;

Novel NovelOf(const ShelfEntry &entry)
{
    return Novel{entry.path, EncodingFromName(entry.encoding).value_or(TextEncoding::Gbk)};
}

QString FindFileOf(const ShelfEntry &entry)
{
    return SideFileToRead(NovelNameFor(entry.path), QStringLiteral(".find"));
}

// The place the settings keep for the novel, when its ".find" text stands there.
std::optional<BytePos> KeptPosition(const ShelfEntry &entry)
{
    const std::optional<BytePos> kept = PlacePosition::Kept(entry.path);
    const QString findFile = FindFileOf(entry);
    if (!kept || QFileInfo(findFile).size() > kLongestPlaceText)
        return std::nullopt;
    const Novel novel = NovelOf(entry);
    const std::optional<QString> text = mdlFileBinText::ReadTextFile(Novel{findFile, novel.encoding});
    if (!text || !PlacePosition::TextIsAt(novel, *kept, *text))
        return std::nullopt;
    return kept;
}

// The encoding the novel is read in when it is known without reading the novel: the one chosen
// for it, else the one its kept table of contents was read in.
std::optional<TextEncoding> KnownEncoding(const QFileInfo &info)
{
    if (const std::optional<TextEncoding> chosen = ChosenEncoding(NovelNameFor(info.absoluteFilePath())))
        return chosen;
    FileStamp stamp;
    stamp.path = info.absoluteFilePath();
    stamp.size = info.size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch();
    return ChapterCache::KeptEncoding(stamp);
}

void TakeChapters(ShelfEntry &entry, const ChapterList &chapters)
{
    entry.chapters = chapters.size();
    entry.chapter = entry.place ? chapters.titleAt(*entry.place) : QString();
}

bool PlaceMayBeFound(const ShelfEntry &entry)
{
    return !entry.place && QFileInfo(FindFileOf(entry)).size() > 0;
}

}

bool Refresh(ShelfEntry &entry)
{
    const QFileInfo info(entry.path);
    entry.present = info.isFile();
    if (!entry.present)
        return false;
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    if (entry.detailsCurrent(info.size(), modified) && entry.chapters >= 0)
        return PlaceMayBeFound(entry);
    entry.size = info.size();
    entry.modified = modified;
    entry.chapters = -1;
    entry.chapter.clear();
    const std::optional<TextEncoding> known = KnownEncoding(info);
    entry.encoding = known ? EncodingName(*known) : QString();
    if (!known)
        return true; // its bytes are to be looked at, in the background
    if (!entry.place)
        entry.place = KeptPosition(entry);
    if (std::optional<ChapterList> kept = ChapterCache::Load(FileStamp::Of(NovelOf(entry))))
        TakeChapters(entry, *kept);
    return entry.chapters < 0 || PlaceMayBeFound(entry);
}

ShelfEntry Complete(ShelfEntry entry, const std::atomic_bool *cancelled)
{
    if (entry.encoding.isEmpty())
        entry.encoding = EncodingName(DetectFileEncoding(entry.path));
    const Novel novel = NovelOf(entry);
    const std::optional<ChapterList> chapters = LoadOrScanChapters(novel, cancelled);
    if (!chapters)
        return entry;
    if (!entry.place)
        if (const std::optional<KeptPlace> found = ReadKeptPlace(novel, FindFileOf(entry)))
            entry.place = found->at;
    TakeChapters(entry, *chapters);
    return entry;
}

double ShareRead(const ShelfEntry &entry)
{
    if (!entry.place || entry.size <= 0)
        return 0;
    return std::clamp(double(entry.place->value() - 1) / double(entry.size), 0.0, 1.0);
}

qint64 SecondsLeft(const ShelfEntry &entry, double bytesPerSecond)
{
    const qint64 left = std::max<qint64>(0, entry.size - (entry.place ? entry.place->value() - 1 : 0));
    return bytesPerSecond > 0 ? qint64(std::llround(double(left) / bytesPerSecond)) : 0;
}

}
