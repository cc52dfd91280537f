#include "ExportNaming.h"

namespace {
constexpr int MinimumNumberDigits = 3;
constexpr char16_t FullWidthOffset = 0xFEE0; // U+FF01..U+FF5E are U+0021..U+007E shifted

bool isRefusedInFileNames(QChar c)
{
    return QStringView(u"/\\:*?\"<>|").contains(c);
}

// Cuts `text` to at most `bytes` bytes of UTF-8, never inside a surrogate pair.
QString cutToUtf8Bytes(const QString &text, int bytes)
{
    int used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text[end].isHighSurrogate() && end + 1 < text.size();
        const int size = pair ? 4 : text[end].unicode() < 0x80 ? 1 : text[end].unicode() < 0x800 ? 2 : 3;
        if (used + size > bytes)
            break;
        used += size;
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

QString trimmedOfSpacesAndDots(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'.'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'.'))
        --end;
    return text.mid(begin, end - begin);
}
}

QString SafeFileTitle(const QString &title)
{
    QString result;
    result.reserve(title.size());
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title[i];
        if (c.isHighSurrogate() && i + 1 < title.size() && title[i + 1].isLowSurrogate()) {
            result += c;
            result += title[++i];
        } else if (c.isSurrogate()) {
            result += QChar(QChar::ReplacementCharacter);
        } else if (c.isSpace() || c.category() == QChar::Other_Control) {
            if (!result.endsWith(u' '))
                result += u' ';
        } else if (isRefusedInFileNames(c)) {
            result += QChar(char16_t(c.unicode() + FullWidthOffset));
        } else {
            result += c;
        }
    }
    result = trimmedOfSpacesAndDots(result);
    return trimmedOfSpacesAndDots(cutToUtf8Bytes(result, ExportTitleBytes));
}

QString ExportFileName(int number, int count, const QString &title, AudioFormat format)
{
    const int digits = std::max(MinimumNumberDigits, int(QString::number(count).size()));
    QString name = QStringLiteral("%1").arg(number, digits, 10, QChar(u'0'));
    const QString safe = SafeFileTitle(title);
    if (!safe.isEmpty())
        name += u' ' + safe;
    return name + u'.' + AudioFormatExtension(format);
}
