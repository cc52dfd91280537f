#include "TextPiece.h"
#include "Gbk.h"
#include "GbkDecoder.h"
#include <algorithm>
#include <cstring>

namespace {

// The text of the held bytes and of the first zero byte after them; every further zero byte
// gives one more U+0000, which the caller appends.
QString headText(const PieceBytes &bytes)
{
    QString text;
    GbkDecoder decoder;
    const bool zeroFollows = bytes.zeros > 0;
    decoder.decode(bytes.held.constData(), bytes.held.size(), !zeroFollows, text);
    if (zeroFollows) {
        const char zero = 0;
        decoder.decode(&zero, 1, true, text);
    }
    return text;
}

bool convertsBackToSameBytes(const QString &head, const PieceBytes &bytes)
{
    const QByteArray back = Gbk::fromUnicode(head);
    const qsizetype heldSize = bytes.held.size();
    if (back.size() != heldSize + (bytes.zeros > 0 ? 1 : 0))
        return false;
    return std::memcmp(back.constData(), bytes.held.constData(), heldSize) == 0
        && (bytes.zeros == 0 || back.back() == '\0');
}

void dropLastByte(PieceBytes &bytes)
{
    if (bytes.zeros > 0)
        --bytes.zeros;
    else
        bytes.held.chop(1);
}

void dropFirstByte(PieceBytes &bytes)
{
    if (!bytes.held.isEmpty())
        bytes.held.remove(0, 1);
    else if (bytes.zeros > 0)
        --bytes.zeros;
}

QString fullText(QString head, qint64 zeros)
{
    if (zeros > 1)
        head.append(QString(std::min(zeros, kMaxZeroTail) - 1, QChar(0)));
    return head;
}

}

PieceText CutPiece(PieceBytes bytes)
{
    PieceText piece;
    QString head = headText(bytes);
    if (!head.isEmpty() && head.back() == QChar(0)) {
        dropLastByte(bytes);
        piece.lastByteGivenBack = true;
        head = headText(bytes);
    }
    if (!convertsBackToSameBytes(head, bytes)) {
        dropFirstByte(bytes);
        head = headText(bytes);
    }
    piece.text = fullText(std::move(head), bytes.zeros);
    return piece;
}
