#include "CharBoundary.h"
#include <QFile>

namespace CharBoundary {

namespace {

bool IsLeadByte(uchar b)
{
    return b >= 0x81 && b <= 0xFE;
}

bool IsTrailByte(uchar b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

// Bytes [first, first + length) of the file (1-based), or an empty array when they cannot be read.
QByteArray ReadBytes(QFile &file, qint64 first, qint64 length)
{
    if (!file.seek(first - 1))
        return {};
    QByteArray bytes = file.read(length);
    return bytes.size() == length ? bytes : QByteArray();
}

constexpr qint64 FirstSpan = 4096;

}

bool EndsOnBoundary(const QByteArray &bytes)
{
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const auto b = uchar(bytes.at(i));
        if (IsLeadByte(b)) {
            if (i + 1 == size)
                return false;
            if (IsTrailByte(uchar(bytes.at(i + 1)))) {
                i += 2;
                continue;
            }
        }
        i += 1;
    }
    return true;
}

qsizetype AfterLastAnchor(const QByteArray &bytes)
{
    for (qsizetype i = bytes.size() - 1; i >= 0; --i) {
        if (uchar(bytes.at(i)) < 0x40)
            return i + 1;
    }
    return -1;
}

bool IsCharacterStart(const QString &path, BytePos position)
{
    const qint64 pos = position.value();
    if (pos <= 1)
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    // Look back in growing spans until an anchor byte or the start of the file is inside.
    for (qint64 span = FirstSpan;; span *= 2) {
        const qint64 first = qMax<qint64>(1, pos - span);
        const QByteArray before = ReadBytes(file, first, pos - first);
        if (before.isEmpty())
            return true;
        const qsizetype anchor = AfterLastAnchor(before);
        if (anchor >= 0)
            return EndsOnBoundary(before.mid(anchor));
        if (first == 1)
            return EndsOnBoundary(before);
    }
}

}
