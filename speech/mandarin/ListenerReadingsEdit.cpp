#include "ListenerReadingsEdit.h"
#include "ListenerReadings.h"
#include "MandarinDictionary.h"
#include "MandarinReader.h"

namespace {

const QByteArray Utf8ByteOrderMark("\xEF\xBB\xBF");

// The word a line of a readings file is for, found as the file's parser finds it: the first
// field of the line with white space made single and a byte-order mark dropped. Empty for a
// blank line or a comment.
QString LineWord(QByteArrayView line)
{
    QString text = QString::fromUtf8(line).simplified();
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.isEmpty() || text.startsWith(u'#'))
        return {};
    return text.section(u' ', 0, 0, QString::SectionSkipEmpty);
}

}

bool IsChineseWord(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const char32_t c : text.toUcs4()) {
        if (QChar::script(c) != QChar::Script_Han || !QChar::isLetterOrNumber(c))
            return false;
    }
    return true;
}

TypedReading CheckTypedReading(const QString &word, const QString &typed, const MandarinDictionary &dictionary)
{
    const QStringList syllables = typed.simplified().split(u' ', Qt::SkipEmptyParts);
    QString why;
    if (!ParseWordReading(word, syllables, dictionary, &why))
        return {QString(), why};
    return {syllables.join(u' '), QString()};
}

QString CurrentReading(QStringView text, int position, int length, const MandarinDictionary &dictionary,
                       const ListenerReadings &own)
{
    const QString pinyin = MandarinReader(dictionary, &own).pinyinOf(text, position, length);
    const QString word = text.mid(position, length).toString();
    return CheckTypedReading(word, pinyin, dictionary).isValid() ? pinyin : QString();
}

QByteArray WithListenerReading(const QByteArray &content, const QString &word, const QString &pinyin)
{
    const QByteArray line = (word + u' ' + pinyin).toUtf8();
    QByteArray result;
    result.reserve(content.size() + line.size() + 2);
    bool written = false;
    for (qsizetype start = 0; start < content.size();) {
        const qsizetype feed = content.indexOf('\n', start);
        const qsizetype next = feed < 0 ? content.size() : feed + 1;
        const QByteArrayView whole(content.constData() + start, next - start);
        start = next;
        if (LineWord(whole) != word) {
            result += whole;
            continue;
        }
        if (written)
            continue;
        // The new line in the old one's place, with its mark in front and its line end behind.
        if (whole.startsWith(Utf8ByteOrderMark))
            result += Utf8ByteOrderMark;
        result += line;
        if (whole.endsWith("\r\n"))
            result += "\r\n";
        else if (whole.endsWith('\n'))
            result += '\n';
        written = true;
    }
    if (!written) {
        const QByteArray lineEnd = content.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
        if (!result.isEmpty() && !result.endsWith('\n'))
            result += lineEnd;
        result += line + lineEnd;
    }
    return result;
}
