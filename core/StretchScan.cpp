#include "StretchScan.h"
#include "EncodingDetection.h"
#include "HeadingRule.h"
#include "HeadingStart.h"
#include "LineFeeds.h"
#include "TextDecoder.h"
#include <algorithm>

namespace {

// How many bytes are scanned between two looks at the cancel flag.
constexpr qint64 kCancelCheckBytes = 4 * 1024 * 1024;

// The first line start at or after `from`: a line starts after each line feed.
qint64 FirstLineStart(LineFeeds &lineFeeds, qint64 from)
{
    if (from == 0)
        return 0;
    lineFeeds.Seek(std::max<qint64>(from - lineFeeds.Size(), 0));
    const qint64 lineFeed = lineFeeds.Next();
    return lineFeed < 0 ? -1 : lineFeed + lineFeeds.Size();
}

}

std::optional<StretchScan> ScanStretch(const char *bytes, qint64 size, TextEncoding encoding, qint64 from, qint64 to,
                                       const std::atomic_bool *cancelled)
{
    StretchScan scan{{}, QString(), PartStarts(size)};
    const HeadingStart headingStart(encoding);
    const qint64 lookBytes = qint64(kHeadingLookChars) * LongestCharacter(encoding);
    TextDecoder decoder(encoding, TextDecoder::CutCharacter::AsZero);
    QString line;
    LineFeeds lineFeeds(bytes, size, encoding);
    // A byte-order mark is no part of the first line's text.
    const int mark = ByteOrderMarkLength(encoding, QByteArray::fromRawData(bytes, int(std::min<qint64>(size, 4))));
    qint64 nextCancelCheck = from + kCancelCheckBytes;
    for (qint64 start = FirstLineStart(lineFeeds, from); start >= 0 && start < std::min(to, size);) {
        const qint64 lineFeed = lineFeeds.Next();
        const qint64 end = lineFeed < 0 ? size : lineFeed;
        scan.parts.LineStart(start);
        const qint64 first = start == 0 ? mark : start;
        if (headingStart.MayStart(bytes + first, end - first)) {
            const qint64 look = std::min(end - first, lookBytes);
            line.truncate(0); // keeps its room for the next line
            decoder.decode(bytes + first, look, true, line);
            scan.candidates.push_back({start, end - first, scan.text.size(), line.size(), look == end - first});
            scan.text += line;
        }
        start = lineFeed < 0 ? -1 : lineFeed + lineFeeds.Size();
        if (start >= nextCancelCheck) {
            if (cancelled && cancelled->load())
                return std::nullopt;
            nextCancelCheck = start + kCancelCheckBytes;
        }
    }
    return scan;
}
