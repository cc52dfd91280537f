#pragma once
#include "BytePos.h"
#include <QString>
#include <optional>

// The share of the file at `path` that lies before `position`, "#0.00%", never above 100.00%;
// nothing for a missing or empty file, so that a window keeps the percentage it showed.
std::optional<QString> PercentageRead(const QString &path, BytePos position);
