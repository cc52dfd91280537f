#include "HeardWord.h"
#include "TextCodec.h"
#include "TextStart.h"
#include <algorithm>

HeardWord HeardWordIn(const Novel &novel, BytePos pieceStart, const QString &piece,
                      int characterPosition, int length)
{
    const int from = std::clamp(characterPosition, 0, int(piece.size()));
    const int count = std::clamp(length, 0, int(piece.size()) - from);
    const DecodedText read = TextReadAt(novel, pieceStart, piece);
    const auto bytes = [&](qsizetype first, qsizetype end) {
        return TextCodec::ByteLength(novel.encoding, read, first, end);
    };
    const BytePos start = pieceStart + bytes(0, from);
    return HeardWord{pieceStart, pieceStart + bytes(0, piece.size()), start, bytes(from, from + count)};
}
