#include "ZeroRun.h"
#include <algorithm>

qint64 ZeroBytesBefore(OpenNovel &file, BytePos position, qint64 most)
{
    const qint64 end = position.value() - 1;
    const qint64 first = std::max<qint64>(0, end - std::max<qint64>(most, 0));
    if (end <= first)
        return 0;
    QByteArray bytes(end - first, Qt::Uninitialized);
    if (file.ReadAt(first, bytes.data(), bytes.size()) != bytes.size())
        return 0;
    const int unit = CodeUnitSize(file.novel().encoding);
    qint64 zeros = 0;
    while (zeros + unit <= bytes.size()
           && std::all_of(bytes.cend() - zeros - unit, bytes.cend() - zeros, [](char b) { return b == 0; }))
        zeros += unit;
    return zeros;
}
