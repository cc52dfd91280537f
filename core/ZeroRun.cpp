#include "ZeroRun.h"
#include <QFile>
#include <algorithm>

qint64 ZeroBytesBefore(const Novel &novel, BytePos position, qint64 most)
{
    const qint64 end = position.value() - 1;
    const qint64 first = std::max<qint64>(0, end - std::max<qint64>(most, 0));
    QFile file(novel.path);
    if (end <= first || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !file.seek(first))
        return 0;
    const QByteArray bytes = file.read(end - first);
    if (bytes.size() != end - first)
        return 0;
    const int unit = CodeUnitSize(novel.encoding);
    qint64 zeros = 0;
    while (zeros + unit <= bytes.size()
           && std::all_of(bytes.cend() - zeros - unit, bytes.cend() - zeros, [](char b) { return b == 0; }))
        zeros += unit;
    return zeros;
}
