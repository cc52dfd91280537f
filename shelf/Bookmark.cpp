#include "Bookmark.h"
#include "FindInTextFile.h"
#include "PlacePosition.h"
#include "TextCodec.h"
#include "TextPiece.h"
#include "mdlFileBinText.h"
#include <cstdlib>

namespace {

// How far before a word its sentence's start is looked for.
constexpr qint64 kSentenceLookBack = 600;
// How far on either side of its old position a moved bookmark's text is looked for first.
constexpr qint64 kNearBytes = 256 * 1024;

// A stretch of the novel read at `from`, with the byte its text starts at (a position inside a
// character reads from the next one).
struct Stretch
{
    DecodedText decoded;
    BytePos start;
};

std::optional<Stretch> ReadStretch(const Novel &novel, BytePos from, qint64 length)
{
    BytePos position = from;
    std::optional<DecodedText> decoded = mdlFileBinText::ReadDecodedPiece(novel, position, length);
    if (!decoded)
        return std::nullopt;
    const BytePos start = position + length - TextCodec::ByteLength(novel.encoding, *decoded, 0, decoded->text.size());
    return Stretch{std::move(*decoded), start};
}

bool EndsSentence(QChar c)
{
    static const QString ends = QStringLiteral("。！？!?…\n");
    return ends.contains(c);
}

// The start of the sentence that holds `position`: after the last sentence end before it, the
// closing quotes that go with that end and the blanks after it; `position` itself when no end
// lies in the stretch looked at.
BytePos SentenceStart(const Novel &novel, BytePos position)
{
    const BytePos from(std::max<qint64>(1, position.value() - kSentenceLookBack));
    const std::optional<Stretch> before = ReadStretch(novel, from, position - from);
    if (!before || before->decoded.text.isEmpty())
        return position;
    const QString &text = before->decoded.text;
    qsizetype start = text.size();
    while (start > 0 && !EndsSentence(text.at(start - 1)))
        --start;
    if (start == 0 && from.value() > 1)
        return position;
    static const QString closing = QStringLiteral("”’」』\"')）");
    while (start < text.size() && (closing.contains(text.at(start)) || text.at(start).isSpace()))
        ++start;
    return before->start + TextCodec::ByteLength(novel.encoding, before->decoded, 0, start);
}

}

std::optional<Bookmark> MarkAt(const Novel &novel, BytePos position, bool sentenceStart)
{
    const BytePos from = sentenceStart ? SentenceStart(novel, position) : position;
    const std::optional<Stretch> stretch = ReadStretch(novel, from, kAnchorCharacters * 4);
    if (!stretch)
        return std::nullopt;
    const QString text = TextBeforeNul(stretch->decoded.text).left(kAnchorCharacters);
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return Bookmark{stretch->start, text, QString(), QDateTime::currentDateTime()};
}

std::optional<BytePos> FindMark(const Novel &novel, const Bookmark &mark)
{
    if (mark.text.isEmpty())
        return std::nullopt;
    if (PlacePosition::TextIsAt(novel, mark.at, mark.text))
        return mark.at;
    const BytePos from(std::max<qint64>(1, mark.at.value() - kNearBytes));
    if (const std::optional<Stretch> near = ReadStretch(novel, from, (mark.at - from) + kNearBytes)) {
        const QString &text = near->decoded.text;
        std::optional<BytePos> nearest;
        for (qsizetype i = text.indexOf(mark.text); i >= 0; i = text.indexOf(mark.text, i + 1)) {
            const BytePos at = near->start + TextCodec::ByteLength(novel.encoding, near->decoded, 0, i);
            if (!nearest || std::llabs(at - mark.at) < std::llabs(*nearest - mark.at))
                nearest = at;
        }
        if (nearest)
            return nearest;
    }
    return FindInTextFile(novel, mark.text);
}

QString FirstWords(const Bookmark &mark)
{
    return mark.text.simplified().left(20);
}
