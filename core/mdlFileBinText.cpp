#include "mdlFileBinText.h"
#include "Gbk.h"
#include "ReplaceFile.h"
#include "TextFilePresence.h"
#include "TextPiece.h"
#include <QFile>
#include <algorithm>

namespace mdlFileBinText {

std::optional<QString> ReadTextFile(const QString &path)
{
    if (PresentFileSize(path) == 0)
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return Gbk::toUnicode(file.readAll());
}

std::optional<QString> ReadTextPiece(const QString &path, BytePos &position, qint64 length)
{
    const qint64 fileSize = PresentFileSize(path);
    if (fileSize == 0)
        return QString();
    if (position.value() < 1 || length < 1)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 start = position.value() - 1;
    PieceBytes bytes;
    if (start < fileSize) {
        bytes.held.resize(std::min(length, fileSize - start));
        if (!file.seek(start))
            return std::nullopt;
        const qint64 read = file.read(bytes.held.data(), bytes.held.size());
        if (read < 0)
            return std::nullopt;
        bytes.held.truncate(read);
    }
    bytes.zeros = length - bytes.held.size();
    const PieceText piece = CutPiece(std::move(bytes));
    if (piece.lastByteGivenBack)
        position -= 1;
    return piece.text;
}

bool WriteTextFile(const QString &path, const QString &text)
{
    return ReplaceFile(path, Gbk::fromUnicode(text));
}

}
