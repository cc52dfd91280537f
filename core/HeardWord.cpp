#include "HeardWord.h"
#include "TextCodec.h"
#include <algorithm>

HeardWord HeardWordIn(TextEncoding encoding, BytePos pieceStart, const QString &piece,
                      int characterPosition, int length)
{
    const int from = std::clamp(characterPosition, 0, int(piece.size()));
    const int count = std::clamp(length, 0, int(piece.size()) - from);
    const BytePos start = pieceStart + TextCodec::ByteLength(encoding, piece.left(from));
    return HeardWord{pieceStart, pieceStart + TextCodec::ByteLength(encoding, piece), start,
                     TextCodec::ByteLength(encoding, piece.mid(from, count))};
}
