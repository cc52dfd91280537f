#include "FindInTextFile.h"
#include "TextDecoder.h"
#include "TextFilePresence.h"
#include <QFile>
#include <QStringMatcher>
#include <algorithm>

std::optional<BytePos> FindInTextFile(const Novel &novel, const QString &needle)
{
    if (PresentFileSize(novel.path) == 0)
        return std::nullopt;
    QFile file(novel.path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (needle.isEmpty())
        return BytePos(1);
    const QStringMatcher matcher(needle);
    TextDecoder decoder(novel.encoding);
    QByteArray chunk(kFindChunkBytes, Qt::Uninitialized);
    // The text not yet searched through, and the file offset of each of its characters.
    QString text;
    std::vector<qint64> offsets;
    for (bool last = false; !last;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0)
            return std::nullopt;
        last = read == 0;
        decoder.decode(chunk.constData(), read, last, text, &offsets);
        const qsizetype match = matcher.indexIn(text);
        if (match >= 0)
            return BytePos(offsets[match] + 1);
        // The end of the text may begin a match that the next chunk completes.
        const qsizetype keep = std::min(text.size(), needle.size() - 1);
        text.remove(0, text.size() - keep);
        offsets.erase(offsets.begin(), offsets.end() - keep);
    }
    return std::nullopt;
}
