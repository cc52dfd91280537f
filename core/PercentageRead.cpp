#include "PercentageRead.h"
#include "NumericText.h"
#include <QFileInfo>

std::optional<QString> PercentageRead(const QString &path, BytePos position)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.size() == 0)
        return std::nullopt;
    return FormatPercent(position.value(), file.size());
}
