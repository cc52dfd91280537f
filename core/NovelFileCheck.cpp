#include "NovelFileCheck.h"
#include "EncodingDetection.h"
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {
// How much of the file's start is looked at, and the share of control bytes above which it is
// taken for binary data (a GBK or UTF-8 novel has none but line breaks).
constexpr qint64 kSampleBytes = 64 * 1024;
constexpr int kMaxControlPerMille = 20;

bool isControlByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != 0x1A) || b == 0x7F;
}
}

bool LooksLikeText(const QByteArray &start)
{
    // UTF-16, with a byte-order mark or without, holds zero bytes that are no control characters.
    const TextEncoding encoding = DetectEncoding(start);
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be)
        return true;
    const auto controls = std::count_if(start.cbegin(), start.cend(), isControlByte);
    return controls * 1000 <= qint64(start.size()) * kMaxControlPerMille;
}

NovelFileProblem CheckNovelFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) // a link whose target is gone is missing too
        return NovelFileProblem::Missing;
    if (!info.isFile())
        return NovelFileProblem::NotAFile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return NovelFileProblem::Unreadable;
    return LooksLikeText(file.read(kSampleBytes)) ? NovelFileProblem::None : NovelFileProblem::NotText;
}
