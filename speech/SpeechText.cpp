#include "SpeechText.h"

namespace {
constexpr char16_t FullWidthOffset = 0xFEE0; // U+FF01..U+FF5E are U+0021..U+007E shifted

bool isFullWidthLetterOrDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0xFF10 && u <= 0xFF19) || (u >= 0xFF21 && u <= 0xFF3A)
        || (u >= 0xFF41 && u <= 0xFF5A);
}

bool isIdeograph(char32_t codePoint)
{
    return QChar::script(codePoint) == QChar::Script_Han;
}

bool isWordCharacter(char32_t codePoint)
{
    const QChar::Category category = QChar::category(codePoint);
    return QChar::isLetterOrNumber(codePoint) || category == QChar::Mark_NonSpacing
        || category == QChar::Mark_SpacingCombining;
}
}

QString SpeakableText(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    QString result = nul < 0 ? text : text.left(nul);
    for (qsizetype i = 0; i < result.size(); ++i) {
        QChar &c = result[i];
        if (isFullWidthLetterOrDigit(c)) {
            c = QChar(char16_t(c.unicode() - FullWidthOffset));
        } else if (c.isHighSurrogate() && i + 1 < result.size() && result[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            c = QChar(QChar::ReplacementCharacter);
        }
    }
    return result;
}

SpeechText PrepareSpeechText(const QString &text)
{
    const QString speakable = SpeakableText(text);
    SpeechText prepared;
    prepared.utf8 = speakable.toUtf8();
    prepared.utf16Offsets.reserve(speakable.size() + 1);
    for (qsizetype i = 0; i < speakable.size(); ++i) {
        prepared.utf16Offsets.append(int(i));
        if (speakable[i].isHighSurrogate())
            ++i;
    }
    prepared.utf16Offsets.append(int(speakable.size()));
    return prepared;
}

WordEventCleaner::WordEventCleaner(const QString &preparedText, const QVector<int> &utf16Offsets)
    : m_text(preparedText), m_offsets(utf16Offsets)
{
}

std::optional<WordSpan> WordEventCleaner::accept(int textPosition, int codePointLength)
{
    const int codePoints = int(m_offsets.size()) - 1;
    if (textPosition < 1 || textPosition > codePoints)
        return std::nullopt;
    const int start = m_offsets[textPosition - 1];
    if (start < m_end)
        return std::nullopt;
    int length = 0;
    if (codePointLength > 0) {
        const int last = std::min(textPosition - 1 + codePointLength, codePoints);
        length = m_offsets[last] - start;
    } else {
        length = wordLengthAt(start);
    }
    if (length <= 0)
        return std::nullopt;
    m_end = start + length;
    return WordSpan{start, length};
}

int WordEventCleaner::wordLengthAt(int utf16Position) const
{
    int end = utf16Position;
    while (end < m_text.size()) {
        const bool pair = m_text[end].isHighSurrogate() && end + 1 < m_text.size();
        const char32_t codePoint = pair ? QChar::surrogateToUcs4(m_text[end], m_text[end + 1])
                                        : m_text[end].unicode();
        if (!isWordCharacter(codePoint))
            break;
        if (isIdeograph(codePoint))
            return end == utf16Position ? (pair ? 2 : 1) : end - utf16Position;
        end += pair ? 2 : 1;
    }
    return end - utf16Position;
}
