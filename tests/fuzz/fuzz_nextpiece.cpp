// ReadTextPiece, then NextPiece, on fuzzed file bytes, positions and lengths.
//  ReadTextPiece: the position comes back unchanged or one lower, the text is no longer than the
//  length, and on GBK text its bytes are those of the file (zero past its end) ending at the byte
//  before position + length, starting at the position or one byte after it.
//  NextPiece: the next position is the byte after the returned piece. On bytes that are no GBK
//  text the exact bytes cannot be checked; the position then still moves on past a piece that
//  holds text and never past the bytes that were read.
//  Read as UTF-8 (where U+FFFD is a character of three bytes as well as what a byte that does not
//  convert gives), both texts are the text of the file's bytes ending where they end.
#include "FuzzSupport.h"
#include "Gbk.h"
#include "PieceReader.h"
#include "TextCodec.h"
#include "TextPiece.h"
#include "mdlFileBinText.h"

namespace {

enum Choice : uint8_t {
    GbkContent = 1,      // the file holds text converted to GBK, not the raw bytes
    FarPosition = 2,     // a position far past the end of the file (beyond 2^31, 2^32)
    UnusableLength = 4,  // a length of 0 or less, or longer than a piece can be
    Utf8Novel = 8,       // the novel is read as UTF-8, its bytes as they are
};

// The file's bytes from 1-based `position` on, `count` of them, zero past its end.
QByteArray fileBytes(const QByteArray &content, qint64 position, qint64 count)
{
    QByteArray bytes(count, '\0');
    const qint64 start = position - 1;
    if (start < content.size())
        bytes.replace(0, std::min<qint64>(count, content.size() - start), content.mid(start, count));
    return bytes;
}

// True when `pieceBytes` are the file's bytes that end just before `end` and begin at `first` or
// at the byte after it.
bool areFileBytesBefore(const QByteArray &content, qint64 first, qint64 end,
                        const QByteArray &pieceBytes)
{
    const qint64 start = end - pieceBytes.size();
    return (start == first || start == first + 1)
        && fileBytes(content, start, pieceBytes.size()) == pieceBytes;
}

// True when `text` is the UTF-8 text of the file's bytes that end just before `end` and begin at
// `first` or up to three bytes after it (where `first` lies inside a character).
bool isUtf8TextBefore(const QByteArray &content, qint64 first, qint64 end, const QString &text)
{
    for (qint64 start = first; start <= std::min(first + 3, end); ++start) {
        if (TextCodec::Decode(TextEncoding::Utf8, fileBytes(content, start, end - start)) == text)
            return true;
    }
    return false;
}

void checkReadTextPiece(const Novel &novel, const QByteArray &content, bool gbk, qint64 first,
                        qint64 length)
{
    BytePos position(first);
    const std::optional<QString> text = mdlFileBinText::ReadTextPiece(novel, position, length);
    if (content.isEmpty()) {
        FUZZ_CHECK(text && text->isEmpty() && position.value() == first);
        return;
    }
    if (first < 1 || length < 1) {
        FUZZ_CHECK(!text && position.value() == first);
        return;
    }
    FUZZ_CHECK(text.has_value());
    FUZZ_CHECK(text->size() <= length);
    if (length > kMaxZeroTail)
        return;
    if (novel.encoding == TextEncoding::Utf8) {
        FUZZ_CHECK(position.value() <= first && position.value() >= first - 3);
        FUZZ_CHECK(isUtf8TextBefore(content, first, position.value() + length, *text));
        return;
    }
    FUZZ_CHECK(position.value() == first || position.value() == first - 1);
    if (!gbk)
        return;
    FUZZ_CHECK(areFileBytesBefore(content, first, position.value() + length, Gbk::fromUnicode(*text)));
}

void checkNextPiece(const Novel &novel, const QByteArray &content, bool gbk, qint64 first,
                    qint64 length)
{
    BytePos position(first);
    const QString piece = NextPiece(novel, position, length);
    if (length > kMaxPieceLength) {
        FUZZ_CHECK(piece.isEmpty() && position.value() == first);
        return;
    }
    if (content.isEmpty() || first < 1 || length < 1) {
        FUZZ_CHECK(piece.isEmpty() && position.value() == first + length);
        return;
    }
    FUZZ_CHECK(position.value() <= first + length);
    const QString heard = piece.left(piece.indexOf(QChar(0)));
    if (!heard.isEmpty())
        FUZZ_CHECK(position.value() > first);
    if (novel.encoding == TextEncoding::Utf8)
        FUZZ_CHECK(isUtf8TextBefore(content, first, position.value(), piece));
    else if (gbk)
        FUZZ_CHECK(areFileBytesBefore(content, first, position.value(), Gbk::fromUnicode(piece)));
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const auto choice = input.take<uint8_t>();
    const auto positionChoice = input.take<uint32_t>();
    const auto lengthChoice = input.take<uint16_t>();
    QByteArray content = input.rest();
    const bool utf8 = choice & Utf8Novel;
    const bool gbk = (choice & GbkContent) && !utf8;
    if (gbk)
        content = Gbk::fromUnicode(Gbk::toUnicode(content));

    qint64 first = 1 + positionChoice % (content.size() + 8);
    if (choice & FarPosition)
        first = (qint64(1) << (31 + positionChoice % 2)) + positionChoice % 4096 - 2048;
    qint64 length = 1 + lengthChoice % 2048;
    if (choice & UnusableLength)
        length = lengthChoice % 64 == 63 ? kMaxPieceLength + 1 + lengthChoice : -qint64(lengthChoice % 8);

    const Novel novel{FuzzScratchFolder() + QStringLiteral("/novel.txt"), utf8 ? TextEncoding::Utf8 : TextEncoding::Gbk};
    WriteFuzzFile(novel.path, content);
    checkReadTextPiece(novel, content, gbk, first, length);
    checkNextPiece(novel, content, gbk, first, length);
    return 0;
}
