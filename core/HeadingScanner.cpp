#include "HeadingScanner.h"
#include "Gbk.h"
#include "TextDecoder.h"
#include <cstring>
#include <limits>

namespace {

// Enough bytes for the heading rule's look at a line (2 bytes a character at most in GBK).
constexpr qint64 kLookBytes = qint64(kHeadingLookChars) * 2;
// A heading that repeats the one before it within this many bytes is the same heading.
constexpr qint64 kRepeatBytes = 500;
// The characters a heading line can start with, after its blanks.
const QString kHeadingChars = QStringLiteral("第序楔引前尾后後番Cc");

QByteArray Encode(const QString &text)
{
    return Gbk::fromUnicode(text);
}


}

HeadingScanner::HeadingScanner(qint64 fileSize) : m_fileSize(fileSize)
{
    for (QChar c : kHeadingChars) {
        const QByteArray encoded = Encode(QString(c));
        m_headingChars.push_back(encoded);
        if (encoded.size() == 1)
            m_oneByteChar[uchar(encoded[0])] = true;
        else
            m_firstTwoBytes.set(uchar(encoded[0]) << 8 | uchar(encoded[1]));
    }
    m_wideBlank = Encode(QString(QChar(0x3000)));
    for (const QByteArray &c : m_headingChars)
        m_mayStartHeading[uchar(c[0])] = true;
    for (uchar blank : {uchar(' '), uchar('\t'), uchar(m_wideBlank[0])})
        m_mayStartHeading[blank] = true;
    for (int part = 0; part < ChapterList::kParts; ++part)
        m_partTargets.push_back(std::max<qint64>(fileSize, 0) * part / ChapterList::kParts);
    PartsReached(0, 0);
}

void HeadingScanner::Feed(const char *bytes, qint64 size)
{
    const qint64 base = m_fed;
    m_fed += size;
    qint64 at = 0;
    for (;;) {
        const auto *lineEnd = static_cast<const char *>(std::memchr(bytes + at, '\n', size_t(size - at)));
        const qint64 end = lineEnd ? lineEnd - bytes : size;
        if (m_lineStart >= base && !lineEnd) {
            // A line that runs on into the next chunk: keep what the heading rule looks at.
            const qint64 from = m_lineStart - base;
            m_pending = QByteArray(bytes + from, std::min(size - from, kLookBytes));
            m_pendingLong = size - from > kLookBytes;
            return;
        }
        if (m_lineStart >= base) {
            Line(bytes + (m_lineStart - base), end - (m_lineStart - base), m_lineStart, true);
        } else {
            const qint64 take = std::min(end, kLookBytes - m_pending.size());
            m_pending.append(bytes, take);
            m_pendingLong = m_pendingLong || take < end;
            if (!lineEnd)
                return;
            Line(m_pending.constData(), m_pending.size(), m_lineStart, !m_pendingLong);
            m_pending.clear();
            m_pendingLong = false;
        }
        const qint64 previous = m_lineStart;
        m_lineStart = base + end + 1;
        if (m_lineStart >= m_nextPartTarget)
            PartsReached(m_lineStart, previous);
        at = end + 1;
    }
}

ChapterList HeadingScanner::Finish()
{
    if (m_lineStart < m_fed)
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
    const char *wide = m_wideBlank.constData();
    const qint64 wideSize = m_wideBlank.size();
    qint64 at = 0;
    while (at < size) {
        if (bytes[at] == ' ' || bytes[at] == '\t') {
            ++at;
            continue;
        }
        qint64 matched = 0;
        while (matched < wideSize && at + matched < size && bytes[at + matched] == wide[matched])
            ++matched;
        if (matched < wideSize)
            break;
        at += wideSize;
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
    if (size == 0 || !m_mayStartHeading[uchar(bytes[0])])
        return;
    const qint64 blanks = SkipBlanks(bytes, size);
    if (!StartsWithHeadingChar(bytes + blanks, size - blanks))
        return;
    const qint64 look = std::min(size, kLookBytes);
    m_text.clear();
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
