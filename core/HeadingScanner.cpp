#include "HeadingScanner.h"
#include "EncodingDetection.h"
#include "TextCodec.h"
#include <cstring>
#include <limits>

namespace {

// A heading that repeats the one before it within this many bytes is the same heading.
constexpr qint64 kRepeatBytes = 500;
// The characters a heading line can start with, after its blanks.
const QString kHeadingChars = QStringLiteral("第序楔引前尾后後番Cc");

// The most bytes one character takes.
int LongestCharacter(TextEncoding encoding)
{
    return encoding == TextEncoding::Gbk || encoding == TextEncoding::Big5 ? 2 : 4;
}

}

HeadingScanner::HeadingScanner(qint64 fileSize, TextEncoding encoding)
    : m_fileSize(fileSize), m_encoding(encoding), m_lookBytes(qint64(kHeadingLookChars) * LongestCharacter(encoding)),
      m_decoder(encoding, TextDecoder::CutCharacter::AsZero)
{
    if (encoding == TextEncoding::Utf16Le)
        m_lineFeedAfter = 1;
    else if (encoding == TextEncoding::Utf16Be)
        m_lineFeedBefore = 1;
    m_wideLineFeed = m_lineFeedBefore + m_lineFeedAfter > 0;
    for (QChar c : kHeadingChars) {
        const QByteArray encoded = TextCodec::Encode(encoding, QString(c));
        m_headingChars.push_back(encoded);
        if (encoded.size() == 1)
            m_oneByteChar[uchar(encoded[0])] = true;
        else
            m_firstTwoBytes.set(uchar(encoded[0]) << 8 | uchar(encoded[1]));
        m_mayStartHeading[uchar(encoded[0])] = true;
    }
    for (const QString &blank : {QStringLiteral(" "), QStringLiteral("\t"), QStringLiteral("\u3000")}) {
        m_blanks.push_back(TextCodec::Encode(encoding, blank));
        m_mayStartHeading[uchar(m_blanks.back()[0])] = true;
        m_blankStart[uchar(m_blanks.back()[0])] = true;
    }
    for (int part = 0; part < ChapterList::kParts; ++part)
        m_partTargets.push_back(std::max<qint64>(fileSize, 0) * part / ChapterList::kParts);
    PartsReached(0, 0);
}

// Whether the byte 10 at `found` is half of a UTF-16 line feed: at the right offset, beside a
// zero byte. `base` is the file offset of `chunk`.
inline bool HeadingScanner::IsWideLineFeed(const char *found, const char *end, qint64 base, const char *chunk) const
{
    const qint64 offset = base + (found - chunk);
    const char *partner = found + m_lineFeedAfter - m_lineFeedBefore;
    return (offset & 1) == m_lineFeedBefore && partner >= chunk && partner < end && *partner == 0;
}

// The byte 10 that ends the next line at or after `from`.
inline const char *HeadingScanner::FindLineEnd(const char *from, const char *end, qint64 base, const char *chunk) const
{
    const auto *found = static_cast<const char *>(std::memchr(from, '\n', size_t(end - from)));
    while (found && m_wideLineFeed && !IsWideLineFeed(found, end, base, chunk))
        found = static_cast<const char *>(std::memchr(found + 1, '\n', size_t(end - found - 1)));
    return found;
}

inline void HeadingScanner::NextLine(qint64 start)
{
    const qint64 previous = m_lineStart;
    m_lineStart = start;
    if (start >= m_nextPartTarget)
        PartsReached(start, previous);
}

// Most lines cannot be headings by their first byte: for them only the next line feed is looked
// for. A line that may be one is handed to Line(); where it runs past the chunk, the bytes the
// heading rule looks at are kept until its end is found.
void HeadingScanner::Feed(const char *bytes, qint64 size)
{
    const qint64 base = m_fed;
    m_fed += size;
    const char *const end = bytes + size;
    const char *line = bytes;
    if (m_lineStart < base) {
        const char *lineEnd = FindLineEnd(bytes, end, base, bytes);
        if (m_pendingCandidate)
            KeepPending(bytes, lineEnd ? lineEnd - m_lineFeedBefore - bytes : size);
        if (!lineEnd)
            return;
        if (m_pendingCandidate)
            Line(m_pending.constData(), m_pending.size(), m_lineStart, !m_pendingLong);
        line = lineEnd + m_lineFeedAfter + 1;
        NextLine(base + (line - bytes));
    }
    while (line < end) {
        const char *lineEnd = FindLineEnd(line, end, base, bytes);
        const bool candidate = m_mayStartHeading[uchar(*line)] || m_lineStart == 0;
        if (!lineEnd) {
            m_pending.clear();
            m_pendingLong = false;
            m_pendingCandidate = candidate;
            if (candidate)
                KeepPending(line, end - line);
            return;
        }
        if (candidate)
            Line(line, lineEnd - m_lineFeedBefore - line, m_lineStart, true);
        line = lineEnd + m_lineFeedAfter + 1;
        NextLine(base + (line - bytes));
    }
}

void HeadingScanner::KeepPending(const char *bytes, qint64 size)
{
    const qint64 take = std::min(size, m_lookBytes - m_pending.size());
    m_pending.append(bytes, take);
    m_pendingLong = m_pendingLong || take < size;
}

ChapterList HeadingScanner::Finish()
{
    if (m_lineStart < m_fed && m_pendingCandidate)
        Line(m_pending.constData(), m_pending.size(), m_lineStart, !m_pendingLong);
    if (!m_headings.empty())
        return ChapterList(std::move(m_headings), true);
    PartsReached(m_fileSize, m_lineStart);
    return EqualParts(m_partStarts);
}

// Each equal part starts at the first line that begins inside it, or at the start of the line
// that holds the part's first byte (the line before `offset`) when none does.
void HeadingScanner::PartsReached(qint64 offset, qint64 previousLine)
{
    while (m_partStarts.size() < m_partTargets.size() && offset >= m_partTargets[m_partStarts.size()]) {
        const size_t part = m_partStarts.size();
        const qint64 partEnd = part + 1 < m_partTargets.size() ? m_partTargets[part + 1] : m_fileSize;
        m_partStarts.push_back(BytePos((offset < partEnd && offset < m_fileSize ? offset : previousLine) + 1));
    }
    m_nextPartTarget = m_partStarts.size() < m_partTargets.size() ? m_partTargets[m_partStarts.size()]
                                                                  : std::numeric_limits<qint64>::max();
}

qint64 HeadingScanner::SkipBlanks(const char *bytes, qint64 size) const
{
    qint64 at = 0;
    for (bool skipped = true; skipped && at < size && m_blankStart[uchar(bytes[at])];) {
        skipped = false;
        for (const QByteArray &blank : m_blanks) {
            if (at + blank.size() <= size && std::memcmp(bytes + at, blank.constData(), size_t(blank.size())) == 0) {
                at += blank.size();
                skipped = true;
            }
        }
    }
    return at;
}

// Most lines are told apart by their first two bytes alone.
bool HeadingScanner::StartsWithHeadingChar(const char *bytes, qint64 size) const
{
    if (size == 0)
        return false;
    if (m_oneByteChar[uchar(bytes[0])])
        return true;
    if (size < 2 || !m_firstTwoBytes.test(uchar(bytes[0]) << 8 | uchar(bytes[1])))
        return false;
    for (const QByteArray &c : m_headingChars) {
        if (c.size() <= size && std::memcmp(bytes, c.constData(), size_t(c.size())) == 0)
            return true;
    }
    return false;
}

void HeadingScanner::Line(const char *bytes, qint64 size, qint64 start, bool whole)
{
    if (start == 0) { // a byte-order mark is no part of the first line's text
        const int mark = ByteOrderMarkLength(m_encoding, QByteArray::fromRawData(bytes, int(std::min<qint64>(size, 4))));
        bytes += mark;
        size -= mark;
    }
    if (size <= 0 || !m_mayStartHeading[uchar(bytes[0])])
        return;
    const qint64 blanks = SkipBlanks(bytes, size);
    if (!StartsWithHeadingChar(bytes + blanks, size - blanks))
        return;
    const qint64 look = std::min(size, m_lookBytes);
    m_text.truncate(0); // keeps its room for the next line
    m_decoder.decode(bytes, look, true, m_text);
    const std::optional<HeadingLine> heading = MatchHeadingLine(m_text, whole && look == size, m_sequence);
    if (!heading)
        return;
    if (!m_headings.empty() && heading->title == m_headings.back().title && start - m_lastHeadingEnd <= kRepeatBytes)
        return;
    m_sequence.Record(*heading);
    m_headings.push_back({BytePos(start + 1), heading->level, heading->title});
    m_lastHeadingEnd = start + size;
}
