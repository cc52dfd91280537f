#include "PercentageRead.h"
#include "NumericText.h"
#include <QFileInfo>
#include <algorithm>

std::optional<QString> PercentageRead(const QString &path, BytePos position)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.size() == 0)
        return std::nullopt;
    // The position counts the byte after what was fetched: past the end, the whole file is read.
    return FormatPercent(std::min(position.value(), file.size()), file.size());
}
