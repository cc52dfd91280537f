#include "KeptPlace.h"
#include "FindInTextFile.h"
#include "TextCodec.h"
#include "TextFilePresence.h"
#include "mdlFileBinText.h"
#include <QFileInfo>

std::optional<KeptPlace> ReadKeptPlace(const Novel &novel, const QString &sideFile)
{
    const qint64 size = QFileInfo(sideFile).size();
    if (size <= 0 || size > PresentFileSize(novel.path))
        return std::nullopt;
    std::optional<QString> text = mdlFileBinText::ReadTextFile(Novel{sideFile, novel.encoding});
    if (!text || text->isEmpty())
        return std::nullopt;
    const std::optional<BytePos> at = FindInTextFile(novel, *text);
    if (!at)
        return std::nullopt;
    return KeptPlace{std::move(*text), *at};
}

std::optional<KeptPlace> FindInOtherEncodings(const Novel &novel, const QByteArray &bytes)
{
    for (const TextEncoding encoding : kAllEncodings) {
        const QString text = TextCodec::Decode(encoding, bytes);
        if (encoding == novel.encoding || text.isEmpty() || text.contains(QChar::ReplacementCharacter)
            || TextCodec::Encode(encoding, text) != bytes)
            continue;
        if (const std::optional<BytePos> at = FindInTextFile(novel, text))
            return KeptPlace{text, *at};
    }
    return std::nullopt;
}
