#include "PieceReader.h"
#include "TextCodec.h"
#include "PieceBreaks.h"
#include "TextFilePresence.h"
#include "mdlFileBinText.h"
#include <algorithm>

namespace {

// NextPiece, with the places of its U+FFFD characters that stand for a byte that did not convert.
DecodedText NextDecodedPiece(const Novel &novel, BytePos &position, qint64 length)
{
    if (length > kMaxPieceLength)
        return {};
    DecodedText piece = mdlFileBinText::ReadDecodedPiece(novel, position, length).value_or(DecodedText());
    const qsizetype cut = LastPieceBreak(piece.text);
    if (cut > 0) {
        position -= TextCodec::ByteLength(novel.encoding, piece, cut, piece.text.size());
        piece.text.truncate(cut);
    }
    position += length;
    return piece;
}

}

QString NextPiece(const Novel &novel, BytePos &position, qint64 length)
{
    return NextDecodedPiece(novel, position, length).text;
}

ShownPiece NextShownPiece(const Novel &novel, BytePos &position, qint64 length)
{
    const BytePos end(PresentFileSize(novel.path) + 1);
    for (;;) {
        const BytePos from = position;
        DecodedText decoded = NextDecodedPiece(novel, position, length);
        QString &piece = decoded.text;
        // A zero byte ends the piece; what follows the zero bytes there is read again next.
        const qsizetype zero = piece.indexOf(QChar(0));
        if (zero >= 0) {
            qsizetype after = zero;
            while (after < piece.size() && piece.at(after).isNull())
                ++after;
            position -= TextCodec::ByteLength(novel.encoding, decoded, after, piece.size());
            piece.truncate(zero);
        }
        if (position > end)
            position = std::max(end, from);
        if (!piece.isEmpty() || position >= end || position <= from)
            return {piece, ByteRange::Of(from, TextCodec::ByteLength(novel.encoding, decoded, 0, piece.size()))};
    }
}
