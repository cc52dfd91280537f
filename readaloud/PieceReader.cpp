#include "PieceReader.h"
#include "TextCodec.h"
#include "NumericText.h"
#include "PieceBreaks.h"
#include "TextFilePresence.h"
#include "mdlFileBinText.h"
#include <algorithm>

BytePos ReadingPosition(const QString &positionText)
{
    const qint64 value = NumericValue(positionText);
    return BytePos(value == 0 ? 1 : value);
}

QString NextPiece(const Novel &novel, BytePos &position, qint64 length)
{
    if (length > kMaxPieceLength)
        return QString();
    const QString text = mdlFileBinText::ReadTextPiece(novel, position, length).value_or(QString());
    const qsizetype cut = LastPieceBreak(text);
    QString piece = text;
    if (cut > 0) {
        piece = text.left(cut);
        position -= TextCodec::ByteLength(novel.encoding, text.mid(cut));
    }
    position += length;
    return piece;
}

QString NextShownPiece(const Novel &novel, BytePos &position, qint64 length)
{
    const BytePos end(PresentFileSize(novel.path) + 1);
    for (;;) {
        const BytePos from = position;
        QString piece = NextPiece(novel, position, length);
        // A zero byte ends the piece; what follows the zero bytes there is read again next.
        const qsizetype zero = piece.indexOf(QChar(0));
        if (zero >= 0) {
            qsizetype after = zero;
            while (after < piece.size() && piece.at(after).isNull())
                ++after;
            position -= TextCodec::ByteLength(novel.encoding, piece.mid(after));
            piece.truncate(zero);
        }
        if (position > end)
            position = std::max(end, from);
        if (!piece.isEmpty() || position >= end || position <= from)
            return piece;
    }
}
