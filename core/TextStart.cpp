#include "TextStart.h"
#include "TextCodec.h"
#include "mdlFileBinText.h"
#include <algorithm>

namespace {

// Bytes read past a text, the most that a character may need to show that it is cut short.
constexpr qint64 kOn = 4;

// The text with every U+FFFD marked as a byte that did not convert.
DecodedText AllUnconverted(const QString &text)
{
    return DecodedText{text, ReplacementCharacters(text)};
}

// The most bytes `text` can stand for, when its U+FFFD can be characters of the file; nothing
// when its bytes are told by its characters alone.
std::optional<qint64> MostBytesWhenOpen(TextEncoding encoding, const QString &text)
{
    if (!text.contains(QChar(0xFFFD)))
        return std::nullopt;
    const qint64 most = TextCodec::ByteLength(encoding, text, 0);
    if (most == TextCodec::ByteLength(encoding, text))
        return std::nullopt;
    return most;
}

}

BytePos TextStartBefore(const Novel &novel, BytePos end, const QString &text)
{
    const std::optional<qint64> most = MostBytesWhenOpen(novel.encoding, text);
    if (!most)
        return end - TextCodec::ByteLength(novel.encoding, text);
    // Read from where the text begins at the earliest: the read starts on the first character
    // from there, and the text's own start is a character start at or after it, so the text ends
    // what is read up to `end`. The read goes on a few bytes, as the read that gave the text did:
    // a character cut short at the text's end (a lone lead byte, the last bytes of the file)
    // shows as such only with the bytes after it, which a read of those bytes alone gives too.
    BytePos afterEnd = end;
    const std::optional<DecodedText> after = mdlFileBinText::ReadDecodedPiece(novel, afterEnd, kOn);
    const BytePos from = std::max(end - *most, BytePos(1));
    BytePos position = from;
    const qint64 length = end - from + kOn;
    const std::optional<DecodedText> read = mdlFileBinText::ReadDecodedPiece(novel, position, length);
    if (!read || !after || position + length != afterEnd + kOn || !read->text.endsWith(text + after->text))
        return end - TextCodec::ByteLength(novel.encoding, text);
    const qsizetype textEnd = read->text.size() - after->text.size();
    return end - TextCodec::ByteLength(novel.encoding, *read, textEnd - text.size(), textEnd);
}

DecodedText TextReadAt(const Novel &novel, BytePos start, const QString &text)
{
    const std::optional<qint64> most = MostBytesWhenOpen(novel.encoding, text);
    if (!most)
        return AllUnconverted(text);
    BytePos position = start;
    std::optional<DecodedText> read = mdlFileBinText::ReadDecodedPiece(novel, position, *most + kOn);
    if (!read || !read->text.startsWith(text))
        return AllUnconverted(text);
    read->text.truncate(text.size());
    const auto past = std::lower_bound(read->unconverted.begin(), read->unconverted.end(), text.size());
    read->unconverted.erase(past, read->unconverted.end());
    return std::move(*read);
}
