#include "TextPiece.h"
#include "CharacterRules.h"
#include "TextCodec.h"
#include <algorithm>

namespace {

// The bytes at the end of `held` (which begins on a character) to give back: those of a
// character cut short, or of a zero character, which a piece never ends on.
qint64 TailToGiveBack(TextEncoding encoding, const QByteArray &held)
{
    const qint64 cut = CharacterRules::CutShortAtEnd(encoding, held.constData(), held.size(), 0);
    if (cut > 0)
        return cut;
    const qsizetype unit = CodeUnitSize(encoding);
    const bool zero = held.size() >= unit && std::all_of(held.cend() - unit, held.cend(), [](char b) { return b == 0; });
    return zero ? unit : 0;
}

DecodedText FullText(const QByteArray &held, TextEncoding encoding, qint64 zeros)
{
    DecodedText decoded = TextCodec::DecodeMarked(encoding, held.constData(), held.size());
    if (zeros > 0)
        decoded.text.append(QString(std::min(zeros, kMaxZeroTail), QChar(0)));
    return decoded;
}

}

PieceText CutPiece(TextEncoding encoding, PieceBytes bytes)
{
    PieceText piece;
    if (bytes.zeros > 0) {
        --bytes.zeros;
        piece.givenBack = 1;
    } else {
        piece.givenBack = TailToGiveBack(encoding, bytes.held);
        bytes.held.chop(piece.givenBack);
    }
    piece.decoded = FullText(bytes.held, encoding, bytes.zeros);
    return piece;
}

QString TextBeforeNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}
