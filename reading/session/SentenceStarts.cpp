#include "SentenceStarts.h"
#include "CharacterStart.h"
#include "SpeechPauses.h"
#include "TextCodec.h"
#include "TextPiece.h"
#include "mdlFileBinText.h"

namespace {
std::optional<DecodedText> ReadStretch(const Novel &novel, ByteRange &stretch)
{
    if (stretch.isEmpty())
        return std::nullopt;
    stretch.start = stretch.start + BytesToCharacterStart(novel, stretch.start);
    BytePos at = stretch.start;
    std::optional<DecodedText> text = mdlFileBinText::ReadDecodedPiece(novel, at, stretch.end - stretch.start);
    if (text)
        text->text = TextBeforeNul(text->text); // bytes past the end of the file read as U+0000
    return text;
}
}

std::vector<SentenceStart> SentenceStartsIn(const Novel &novel, ByteRange stretch)
{
    std::vector<SentenceStart> starts;
    const std::optional<DecodedText> text = ReadStretch(novel, stretch);
    if (!text || text->text.isEmpty())
        return starts;
    BytePos byte = stretch.start;
    qsizetype counted = 0;
    for (const int index : SentenceStartIndices(text->text)) {
        byte = byte + TextCodec::ByteLength(novel.encoding, *text, counted, index);
        counted = index;
        starts.push_back({index, byte});
    }
    return starts;
}

qsizetype CharactersIn(const Novel &novel, ByteRange stretch)
{
    const std::optional<DecodedText> text = ReadStretch(novel, stretch);
    return text ? text->text.size() : 0;
}
