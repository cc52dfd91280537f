#include "ChapterScan.h"
#include "EncodingDetection.h"
#include "GuardedMap.h"
#include "StretchScan.h"
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <thread>

namespace {

// A heading that repeats the one before it within this many bytes is the same heading.
constexpr qint64 kRepeatBytes = 500;
// The least bytes worth a thread of their own.
constexpr qint64 kLeastStretchBytes = 8 * 1024 * 1024;
// The most threads one scan takes: the scan goes at about the speed at which memory delivers the
// bytes, which all threads share, so each further thread gains less.
constexpr int kMostThreads = 2;

// The candidate lines that are headings, given to the heading rule stretch by stretch in file
// order, since whether a run-on line is a heading depends on the headings before it. The first
// stretch is judged while the threads still scan the others.
class HeadingJudge
{
public:
    void Judge(const StretchScan &stretch)
    {
        for (const HeadingCandidate &line : stretch.candidates) {
            const std::optional<HeadingLine> heading = MatchHeadingLine(stretch.TextOf(line), line.whole, m_sequence);
            if (!heading)
                continue;
            if (!m_headings.empty() && heading->title == m_headings.back().title
                && line.start - m_lastHeadingEnd <= kRepeatBytes)
                continue;
            m_sequence.Record(*heading);
            m_headings.push_back({BytePos(line.start + 1), heading->level, heading->title});
            m_lastHeadingEnd = line.start + line.size;
        }
    }
    std::vector<Chapter> Take() { return std::move(m_headings); }

private:
    HeadingSequence m_sequence;
    std::vector<Chapter> m_headings;
    qint64 m_lastHeadingEnd = 0;
};

// Where a file of `size` bytes is split for the threads that scan it.
std::vector<qint64> Splits(qint64 size)
{
    const qint64 threads = std::min<qint64>({kMostThreads, QThread::idealThreadCount(), size / kLeastStretchBytes});
    std::vector<qint64> splits;
    for (qint64 thread = 1; thread < threads; ++thread)
        splits.push_back(size * thread / threads);
    return splits;
}

}

std::optional<ChapterList> ScanChapterBytes(const char *bytes, qint64 size, TextEncoding encoding,
                                            const std::vector<qint64> &splits, const std::atomic_bool *cancelled)
{
    std::vector<qint64> bounds{0};
    bounds.insert(bounds.end(), splits.begin(), splits.end());
    bounds.push_back(size);
    std::vector<std::optional<StretchScan>> scans(bounds.size() - 1);
    auto scan = [&](size_t stretch) {
        scans[stretch] = ScanStretch(bytes, size, encoding, bounds[stretch], bounds[stretch + 1], cancelled);
    };
    std::vector<std::thread> threads;
    for (size_t stretch = 1; stretch < scans.size(); ++stretch)
        threads.emplace_back(scan, stretch);
    scan(0);
    HeadingJudge judge;
    for (size_t stretch = 0; stretch < scans.size(); ++stretch) {
        if (stretch > 0)
            threads[stretch - 1].join();
        if (scans[stretch])
            judge.Judge(*scans[stretch]);
    }
    const bool complete = std::all_of(scans.begin(), scans.end(), [](const auto &result) { return result.has_value(); });
    if (!complete || (cancelled && cancelled->load()))
        return std::nullopt;
    std::vector<Chapter> headings = judge.Take();
    if (!headings.empty())
        return ChapterList(std::move(headings), true);
    std::vector<const PartStarts *> parts;
    for (const std::optional<StretchScan> &stretch : scans)
        parts.push_back(&stretch->parts);
    return EqualParts(PartStarts::Combine(parts, size));
}

std::optional<ChapterList> ScanChapters(const QString &path, const std::atomic_bool *cancelled)
{
    return ScanChapters(Novel{path, DetectFileEncoding(path)}, cancelled);
}

namespace {

std::optional<ChapterList> ReadAndScan(QFile &file, TextEncoding encoding, const std::atomic_bool *cancelled)
{
    if (!file.seek(0))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return ScanChapterBytes(bytes.constData(), bytes.size(), encoding, Splits(bytes.size()), cancelled);
}

}

// The scan works on the file's pages as they lie in memory: copying the bytes first would cost as
// much as the scan itself. A file that cannot be mapped is read whole.
std::optional<ChapterList> ScanChapters(const Novel &novel, const std::atomic_bool *cancelled)
{
    QFile file(novel.path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const GuardedMap map(file.handle(), file.size());
    return ScanMappedChapters(novel, map, cancelled);
}

std::optional<ChapterList> ScanMappedChapters(const Novel &novel, const GuardedMap &map,
                                              const std::atomic_bool *cancelled)
{
    if (map.data()) {
        std::optional<ChapterList> scanned =
            ScanChapterBytes(map.data(), map.size(), novel.encoding, Splits(map.size()), cancelled);
        // A file cut inside its last page shrinks with no fault: its size tells.
        if (!map.shrank() && QFileInfo(novel.path).size() >= map.size())
            return scanned;
    }
    // The file could not be mapped, or it shrank while its pages were read, which then read as
    // zero bytes: what it holds now is read and scanned.
    QFile file(novel.path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ReadAndScan(file, novel.encoding, cancelled);
}
