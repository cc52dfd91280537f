#include "ChapterRange.h"
#include <QStringList>

namespace {
// A chapter number of ASCII digits only (no sign), within 1..count.
std::optional<int> chapterNumber(const QString &text, int count)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int number = digits.toInt(&ok);
    if (!ok || number < 1 || number > count)
        return std::nullopt;
    return number;
}
}

std::optional<ChapterRange> ParseChapterRange(const QString &text, int count)
{
    const QStringList parts = text.split(u'-');
    if (parts.size() > 2)
        return std::nullopt;
    const std::optional<int> first = chapterNumber(parts.first(), count);
    const std::optional<int> last = chapterNumber(parts.last(), count);
    if (!first || !last || *first > *last)
        return std::nullopt;
    return ChapterRange{*first, *last};
}
