// The reader's next and previous page on fuzzed file bytes and positions, measured on a grid page
// box of fixed size (GridMeasure of the reader tests) with the chunk size measured from it.
//  NextPage: the page starts at the position, or after the zero bytes there, or (a position
//  inside a character) a byte later, after the zero bytes that follow that byte; the position moves
//  on to the byte after the page or after zero bytes that follow it, never by more than a chunk
//  from where the page starts, never below 1 and never past the byte after the file's end when it
//  starts inside the file; an empty page leaves it. The page fits the box and holds no U+0000.
//  On GBK text the page is the file's bytes from where it starts.
//  PrevPage, with the page after it shown: the position comes back to where that page began,
//  before the zero bytes the forward turn stepped over (one byte lower when the chunk ended on a
//  lead byte, which a GBK chunk aligned on its first byte never does), never below 1; the page
//  fits the box. On GBK text its bytes are the file's bytes ending there. A backward turn with a shown text that does not come from the
//  file still keeps the position at 1 or above.
//  Read as UTF-8, where U+FFFD is a character of three bytes as well as what a byte that does not
//  convert gives: a forward page is the text of the file's bytes from where it starts to the
//  position, and the backward turn comes back to where the shown page began, or up to three bytes
//  before it (an unreadable character cut short at the chunk's end). Its zero bytes are made
//  spaces, and an unreadable character of several bytes (each giving U+FFFD, between which a page
//  may end) begins with 0xFF instead, so that each of its bytes is unreadable on its own.
#include "CharacterRules.h"
#include "ChunkSize.h"
#include "FuzzSupport.h"
#include "Gbk.h"
#include "GridMeasure.h"
#include "PageEngine.h"
#include "TextCodec.h"

namespace {

enum Choice : uint8_t {
    GbkContent = 1,    // the file holds text converted to GBK, not the raw bytes
    FarPosition = 2,   // a position far past the end of the file (beyond 2^31, 2^32)
    ForeignShown = 8,  // the backward turn is given a shown text taken from the input
    WideBox = 16,      // the wider of the two page boxes
    Utf8Novel = 32,    // the novel is read as UTF-8
};

// How many zero bytes the file holds from 1-based `at` on.
qint64 zerosFrom(const QByteArray &content, qint64 at)
{
    qint64 zeros = 0;
    while (at >= 1 && at + zeros <= content.size() && content[at + zeros - 1] == '\0')
        ++zeros;
    return zeros;
}

// How many zero bytes lie just before 1-based `at`, counting back at most `most`.
qint64 zerosBefore(const QByteArray &content, qint64 at, qint64 most)
{
    qint64 zeros = 0;
    while (zeros < most && at - zeros - 1 >= 1 && at - zeros - 1 <= content.size()
           && content[at - zeros - 2] == '\0')
        ++zeros;
    return zeros;
}

// `content` as the UTF-8 file of the checks above.
QByteArray Utf8Content(QByteArray content)
{
    content.replace('\0', ' ');
    for (qsizetype at = 0; at < content.size();) {
        const int length = CharacterRules::CharacterLength(TextEncoding::Utf8, content.constData() + at, content.size() - at);
        const QString text = TextCodec::Decode(TextEncoding::Utf8, content.mid(at, std::max(length, 1)));
        if ((length == 0 && content.size() - at > 1) || (length > 1 && text.count(QChar(0xFFFD)) > 1))
            content[at] = char(0xFF);
        at += std::max(length, 1);
    }
    return content;
}

// The file's bytes [first, first + count) (1-based), fewer where the file ends.
QByteArray fileBytes(const QByteArray &content, qint64 first, qint64 count)
{
    if (first < 1 || first > content.size())
        return {};
    return content.mid(first - 1, count);
}

struct Turn
{
    GridMeasure &measure;
    const Novel &novel;
    const QByteArray &content;
    bool gbk;
    qint64 chunkSize;

    QString next(BytePos &position) const
    {
        const qint64 before = position.value();
        const QString page = PageEngine::NextPage(measure, novel, position, chunkSize);
        if (page.isEmpty()) {
            FUZZ_CHECK(position.value() == before);
            return page;
        }
        if (novel.encoding == TextEncoding::Utf8) {
            bool fromFile = false;
            for (qint64 start = before; start <= std::min(before + 3, position.value()); ++start)
                fromFile = fromFile || TextCodec::Decode(novel.encoding, fileBytes(content, start, position.value() - start)) == page;
            FUZZ_CHECK(fromFile || before > content.size());
            return page;
        }
        const qint64 first = before + zerosFrom(content, before);
        // A page read from the second byte of a character, which was dropped, begins a byte later,
        // after the zero bytes that follow that byte.
        const qint64 second = before + 1 + zerosFrom(content, before + 1);
        FUZZ_CHECK(position.value() - first <= chunkSize || position.value() - second <= chunkSize);
        FUZZ_CHECK(position.value() >= 1);
        if (before <= content.size() + 1)
            FUZZ_CHECK(position.value() <= content.size() + 1);
        FUZZ_CHECK(!page.contains(QChar(0)));
        FUZZ_CHECK(!measure.Overflows(page));
        const QByteArray pageBytes = Gbk::fromUnicode(page);
        const qint64 length = pageBytes.size();
        // Compared as text decoded from the file, since on raw bytes a "?" of the page may stand
        // for a literal "?" or for a byte that does not convert.
        const auto decodedFrom = [this](qint64 at) {
            return Gbk::toUnicode(fileBytes(content, at, chunkSize) + QByteArray(2, '\0'));
        };
        FUZZ_CHECK(pageBytes == fileBytes(content, first, length) || !gbk);
        // What lies between the page's end and the position is zero bytes.
        const auto endsAt = [&](qint64 end) {
            return position.value() >= end && zerosFrom(content, end) >= position.value() - end;
        };
        const bool fromFirst = decodedFrom(first).startsWith(page);
        const bool fromSecond = first == before && decodedFrom(second).startsWith(page);
        if (fromFirst || fromSecond)
            FUZZ_CHECK((fromFirst && endsAt(first + length)) || (fromSecond && endsAt(second + length)));
        return page;
    }

    QString previous(BytePos &position, const QString &shown, bool shownFromFile,
                     qint64 shownStart = 0) const
    {
        const qint64 before = position.value();
        const qint64 start = before - zerosBefore(content, before, chunkSize) - Gbk::byteLength(shown);
        const QString page = PageEngine::PrevPage(measure, novel, position, chunkSize, shown);
        FUZZ_CHECK(position.value() >= 1);
        FUZZ_CHECK(!page.contains(QChar(0)));
        FUZZ_CHECK(!measure.Overflows(page));
        if (before == 1) {
            FUZZ_CHECK(page.isEmpty() && position.value() == 1);
            return page;
        }
        // In UTF-8 the shown page began at `shownStart` (0: not known).
        if (novel.encoding == TextEncoding::Utf8) {
            if (shownFromFile && shownStart - chunkSize > 0 && shownStart <= content.size() + 1)
                FUZZ_CHECK(position.value() <= shownStart && position.value() >= shownStart - 3);
            return page;
        }
        if (!shownFromFile || start - chunkSize <= 0 || start > content.size() + 1)
            return page;
        // Aligned on its first byte, a chunk of GBK text begins on a character: it is decoded as
        // the file holds it and ends on the boundary where the shown page begins, unless a zero
        // byte ends the text that the measuring box keeps before that.
        const bool zeroInChunk = fileBytes(content, start - chunkSize, chunkSize).contains('\0');
        if (gbk && !zeroInChunk) {
            FUZZ_CHECK(position.value() == start);
            const qint64 length = Gbk::byteLength(page);
            FUZZ_CHECK(Gbk::fromUnicode(page) == fileBytes(content, start - length, length));
        } else {
            FUZZ_CHECK(position.value() == start || position.value() == start - 1);
        }
        return page;
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const auto choice = input.take<uint8_t>();
    const auto positionChoice = input.take<uint32_t>();
    const auto shownLength = input.take<uint8_t>();
    const QByteArray shownBytes = input.takeBytes(shownLength % 64);
    QByteArray content = input.rest();
    const bool utf8 = choice & Utf8Novel;
    const bool gbk = (choice & GbkContent) && !utf8;
    if (gbk)
        content = Gbk::fromUnicode(Gbk::toUnicode(content));
    if (utf8)
        content = Utf8Content(content);

    // On GBK text a position starts a character, as pages and finds leave it.
    qint64 first = 1 + positionChoice % (content.size() + 8);
    if (gbk) {
        const QString text = Gbk::toUnicode(content);
        first = 1 + Gbk::byteLength(text.left(positionChoice % (text.size() + 4)));
    }
    if (choice & FarPosition)
        first = (qint64(1) << (31 + positionChoice % 2)) + positionChoice % 4096 - 2048;

    GridMeasure measure(choice & WideBox ? 40 : 12, choice & WideBox ? 12 : 4);
    const Novel novel{FuzzScratchFolder() + QStringLiteral("/novel.txt"), utf8 ? TextEncoding::Utf8 : TextEncoding::Gbk};
    WriteFuzzFile(novel.path, content);
    const Turn turn{measure, novel, content, gbk, ChunkSize::Measure(measure, novel.encoding)};

    BytePos position(first);
    const qint64 shownStart = turn.next(position).isEmpty() ? 0 : position.value();
    const QString shown = turn.next(position);
    turn.previous(position, shown, true, shownStart);

    if (choice & ForeignShown) {
        BytePos again(first);
        turn.previous(again, Gbk::toUnicode(shownBytes), false);
    }
    return 0;
}
