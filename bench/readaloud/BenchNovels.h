#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <algorithm>
#include <cstring>

// What the read-aloud benchmarks share: large novels made from the corpus, and the least a search
// of one can cost.

// Writes a novel of at least `size` bytes: the corpus novel 西游记 (GBK) over and over, then `last`.
inline bool MakeCorpusNovel(const QString &path, qint64 size, const QByteArray &last = QByteArray())
{
    QFile in(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"));
    QFile out(path);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray once = in.readAll();
    while (out.size() < size)
        if (out.write(once) != once.size())
            return false;
    return out.write(last) == last.size();
}

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
