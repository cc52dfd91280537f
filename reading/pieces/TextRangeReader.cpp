#include "TextRangeReader.h"
#include "TextCodec.h"
#include "PieceBreaks.h"
#include "mdlFileBinText.h"
#include <QFileInfo>
#include <algorithm>

namespace {
// The length of the part of `text` to keep when more text follows: up to its last line end, or
// else up to its last break character; the whole text when it holds neither.
qsizetype pieceCut(const QString &text)
{
    const qsizetype lineEnd = text.lastIndexOf(QChar(u'\n'));
    if (lineEnd >= 0)
        return lineEnd + 1;
    const qsizetype cut = LastPieceBreak(text);
    return cut > 0 ? cut : text.size();
}
}

TextRangeReader::TextRangeReader(const Novel &novel, BytePos start, BytePos end,
                                 qint64 pieceBytes)
    : m_novel(novel), m_position(start), m_end(end), m_pieceBytes(std::max<qint64>(pieceBytes, 2))
{
}

std::optional<QString> TextRangeReader::next()
{
    if (m_failed || m_position >= m_end)
        return std::nullopt;
    const qint64 length = std::min(m_pieceBytes, m_end - m_position);
    BytePos position = m_position;
    std::optional<DecodedText> read = mdlFileBinText::ReadDecodedPiece(m_novel, position, length);
    if (!read) {
        m_failed = true;
        return std::nullopt;
    }
    QString *text = &read->text;
    const qsizetype nul = text->indexOf(QChar(u'\0'));
    if (text->isEmpty() && !QFileInfo(m_novel.path).isFile()) {
        m_failed = true; // the novel was deleted or moved away on the way
        return std::nullopt;
    }
    if (nul >= 0 || text->isEmpty()) {
        // The file ends inside the range (a zero byte of its own ends the text as well).
        m_position = m_end;
        text->truncate(std::max<qsizetype>(nul, 0));
        return std::move(*text);
    }
    position += length;
    if (position < m_end) {
        const qsizetype cut = pieceCut(*text);
        position -= TextCodec::ByteLength(m_novel.encoding, *read, cut, text->size());
        text->truncate(cut);
    }
    m_position = std::max(position, m_position + 1);
    return std::move(*text);
}
