#pragma once
#include "ChapterList.h"
#include "TextDecoder.h"
#include <QByteArray>
#include <array>
#include <bitset>
#include <vector>

// The heading search over a stream of a novel's bytes in its encoding, fed chunk after chunk in
// file order. For UTF-16 every chunk but the last holds an even number of bytes.
class HeadingScanner
{
public:
    HeadingScanner(qint64 fileSize, TextEncoding encoding);

    // The next `size` bytes of the file.
    void Feed(const char *bytes, qint64 size);
    // The table of contents once every byte was fed.
    ChapterList Finish();

private:
    const char *FindLineEnd(const char *from, const char *end, qint64 base, const char *chunk) const;
    bool IsWideLineFeed(const char *found, const char *end, qint64 base, const char *chunk) const;
    void KeepPending(const char *bytes, qint64 size);
    void NextLine(qint64 start);
    void PartsReached(qint64 offset, qint64 previousLine);
    void Line(const char *bytes, qint64 size, qint64 start, bool whole);
    qint64 SkipBlanks(const char *bytes, qint64 size) const;
    bool StartsWithHeadingChar(const char *bytes, qint64 size) const;

    qint64 m_fileSize;
    TextEncoding m_encoding;
    // A line feed in UTF-16 is two bytes: the byte 10 at an even (UTF-16LE) or odd (UTF-16BE)
    // offset, beside a zero byte. `m_lineFeedBefore` bytes of it lie before the byte 10, and
    // `m_lineFeedAfter` after it.
    int m_lineFeedBefore = 0;
    int m_lineFeedAfter = 0;
    bool m_wideLineFeed = false;
    // How many bytes the heading rule's look at a line takes.
    qint64 m_lookBytes;
    // The file offset of the line being read.
    qint64 m_lineStart = 0;

    // Bytes of the line that runs past the end of the last chunk (at most the look length), when
    // its start may be a heading's.
    QByteArray m_pending;
    bool m_pendingLong = false;
    bool m_pendingCandidate = false;
    qint64 m_fed = 0;

    // The encoded first characters of headings and the blanks before them.
    std::vector<QByteArray> m_headingChars;
    std::array<bool, 256> m_mayStartHeading{};
    std::array<bool, 256> m_blankStart{};
    std::array<bool, 256> m_oneByteChar{};
    std::bitset<65536> m_firstTwoBytes;
    std::vector<QByteArray> m_blanks;

    // Converts the lines that may be headings.
    TextDecoder m_decoder;
    QString m_text;

    HeadingSequence m_sequence;
    std::vector<Chapter> m_headings;
    qint64 m_lastHeadingEnd = 0;

    // The equal parts: their target offsets, the line start found for each so far.
    std::vector<qint64> m_partTargets;
    std::vector<BytePos> m_partStarts;
    qint64 m_nextPartTarget = 0;
};
