#include "CharacterStart.h"
#include "CharacterRules.h"
#include "EncodingDetection.h"
#include <QFile>
#include <algorithm>

namespace {

// The most bytes of a character after the position that the rules may look at.
constexpr qint64 kBytesAfter = 4;
constexpr qint64 kFirstSpan = 2048;

QByteArray ReadAt(QFile &file, qint64 offset, qint64 length)
{
    if (!file.seek(offset))
        return {};
    return file.read(length);
}

}

qint64 BytesToCharacterStart(const Novel &novel, BytePos position)
{
    const qint64 at = position.value() - 1;
    if (at <= 0)
        return 0;
    QFile file(novel.path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const int mark = ByteOrderMarkLength(novel.encoding, ReadAt(file, 0, 3));
    if (at < mark)
        return mark - at;
    // Look back in growing spans until the bytes before the position decide it.
    for (qint64 span = kFirstSpan;; span *= 2) {
        const qint64 first = std::max<qint64>(0, at - span);
        const QByteArray bytes = ReadAt(file, first, at - first + kBytesAfter);
        if (bytes.size() < at - first)
            return 0;
        const std::optional<qint64> skip = CharacterRules::BytesToCharacterStart(
            novel.encoding, bytes.constData(), bytes.size(), at - first, first);
        if (skip)
            return *skip;
    }
}

BytePos CharacterStartAtOrBefore(const Novel &novel, BytePos position)
{
    // A character is at most four bytes long: its start lies within three bytes before.
    for (qint64 at = position.value(); at >= std::max<qint64>(1, position.value() - 3); --at)
        if (IsCharacterStart(novel, BytePos(at)))
            return BytePos(at);
    return position;
}
