#include "EncodingDetection.h"
#include "CharacterRules.h"
#include <QFile>
#include <QFileInfo>

namespace {

struct Mark {
    TextEncoding encoding;
    QByteArray bytes;
};

const Mark kMarks[] = {
    {TextEncoding::Utf8, QByteArray("\xEF\xBB\xBF")},
    {TextEncoding::Utf16Le, QByteArray("\xFF\xFE")},
    {TextEncoding::Utf16Be, QByteArray("\xFE\xFF")},
};

// The full length of the UTF-8 character that `lead` begins; 0 for a byte that begins none.
int Utf8SequenceLength(uchar lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xC2 || lead > 0xF4)
        return 0;
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

// Valid UTF-8 with at least one multi-byte character; a valid beginning of a character at the
// end of the sample counts.
bool IsMultiByteUtf8(const QByteArray &sample)
{
    bool multiByte = false;
    const qsizetype size = sample.size();
    for (qsizetype i = 0; i < size;) {
        const int length = CharacterRules::CharacterLength(TextEncoding::Utf8, sample.constData() + i, size - i);
        if (length == 0)
            break;
        if (length != Utf8SequenceLength(uchar(sample.at(i))))
            return false;
        multiByte = multiByte || length > 1;
        i += length;
    }
    return multiByte;
}

bool HoldsFourByteGb18030(const QByteArray &sample)
{
    const qsizetype size = sample.size();
    for (qsizetype i = 0; i < size;) {
        const int length = CharacterRules::CharacterLength(TextEncoding::Gb18030, sample.constData() + i, size - i);
        if (length == 0)
            break;
        if (length == 4)
            return true;
        i += length;
    }
    return false;
}

}

int ByteOrderMarkLength(TextEncoding encoding, const QByteArray &start)
{
    for (const Mark &mark : kMarks) {
        if (mark.encoding == encoding && start.startsWith(mark.bytes))
            return int(mark.bytes.size());
    }
    return 0;
}

TextEncoding DetectEncoding(const QByteArray &sample)
{
    for (const Mark &mark : kMarks) {
        if (sample.startsWith(mark.bytes))
            return mark.encoding;
    }
    if (IsMultiByteUtf8(sample))
        return TextEncoding::Utf8;
    return HoldsFourByteGb18030(sample) ? TextEncoding::Gb18030 : TextEncoding::Gbk;
}

TextEncoding DetectFileEncoding(const QString &path)
{
    // Only a regular file is looked into: opening a pipe or a device named as a novel would
    // block until something writes to it.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return TextEncoding::Gbk;
    return DetectEncoding(file.read(kDetectionSampleBytes));
}
