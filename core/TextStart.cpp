#include "TextStart.h"
#include "TextCodec.h"
#include "mdlFileBinText.h"
#include <algorithm>

BytePos TextStartBefore(const Novel &novel, BytePos end, const QString &text)
{
    const qint64 replacements = text.count(QChar(0xFFFD));
    const qint64 least = TextCodec::ByteLength(novel.encoding, text, replacements);
    const qint64 most = TextCodec::ByteLength(novel.encoding, text, 0);
    if (least == most)
        return end - least;
    // Read from where the text begins at the earliest: the read starts on the first character
    // from there, and the text's own start is a character start at or after it, so the text is
    // the end of what is read.
    const BytePos from = std::max(end - most, BytePos(1));
    BytePos position = from;
    const qint64 length = end - from;
    const std::optional<DecodedText> read = mdlFileBinText::ReadDecodedPiece(novel, position, length);
    if (!read || position + length != end || !read->text.endsWith(text))
        return end - least;
    const qsizetype size = read->text.size();
    return end - TextCodec::ByteLength(novel.encoding, *read, size - text.size(), size);
}
