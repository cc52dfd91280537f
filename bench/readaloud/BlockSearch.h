#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <algorithm>
#include <cstring>

// Reads the file in blocks and looks for the needle's bytes in each (with the bytes that a match
// across two blocks needs): the least a search of the file can cost, the limit a find is
// measured against.
inline bool ReadAndMemmem(const QString &path, const QByteArray &needle)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 block = 1 << 20;
    QByteArray bytes(block + needle.size(), Qt::Uninitialized);
    qint64 kept = 0;
    for (;;) {
        const qint64 read = file.read(bytes.data() + kept, block);
        if (read <= 0)
            return false;
        const qint64 held = kept + read;
        if (memmem(bytes.constData(), size_t(held), needle.constData(), size_t(needle.size())))
            return true;
        kept = std::min<qint64>(held, needle.size() - 1);
        std::memmove(bytes.data(), bytes.constData() + held - kept, size_t(kept));
    }
}
