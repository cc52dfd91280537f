#include "SpeechText.h"
#include "MandarinReader.h"
#include "RuledText.h"

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

// Builds the spoken text code point by code point, each with the stretch it stands for.
class SpokenText
{
public:
    explicit SpokenText(SpeechText &out) : m_out(out) {}

    // The caller's own characters from..to, each standing for itself.
    void appendOwn(const QString &text, int from, int to)
    {
        for (int i = from; i < to; ++i) {
            const bool pair = text[i].isHighSurrogate() && i + 1 < to;
            const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
            append(c, WordSpan{i, pair ? 2 : 1});
            i += pair ? 1 : 0;
        }
    }

    // Something said for a whole word, set apart by spaces so that it is read on its own.
    void appendFor(const QString &said, WordSpan word, bool apart)
    {
        if (apart && !m_out.codePoints.isEmpty() && m_out.codePoints.last() != U' ')
            append(U' ', word);
        for (const char32_t c : said.toUcs4())
            append(c, word);
        if (apart)
            append(U' ', word);
    }

    void finish() { m_out.utf8 = QString::fromUcs4(m_out.codePoints.constData(), m_out.codePoints.size()).toUtf8(); }

private:
    void append(char32_t c, WordSpan source)
    {
        m_out.codePoints.append(c);
        m_out.sources.append(source);
    }

    SpeechText &m_out;
};
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

SpeechText PrepareSpeechText(const QString &text, const MandarinReader *reader, bool voiceReadsPinyin)
{
    const QString speakable = SpeakableText(text);
    SpeechText prepared;
    prepared.codePoints.reserve(speakable.size());
    prepared.sources.reserve(speakable.size());
    SpokenText spoken(prepared);
    if (!reader) {
        spoken.appendOwn(speakable, 0, int(speakable.size()));
        spoken.finish();
        return prepared;
    }
    for (const ReadWord &word : reader->read(speakable)) {
        const WordSpan span{word.position, word.length};
        if (voiceReadsPinyin && !word.syllables.isEmpty())
            spoken.appendFor(reader->pinyin(word.syllables), span, true);
        else if (!word.spoken.isEmpty())
            spoken.appendFor(word.spoken, span, false);
        else
            spoken.appendOwn(speakable, word.position, span.end());
    }
    spoken.finish();
    return prepared;
}

WordEventCleaner::WordEventCleaner(const SpeechText &text) : m_text(text)
{
}

std::optional<WordSpan> WordEventCleaner::accept(int textPosition, int codePointLength)
{
    const int codePoints = m_text.codePointCount();
    if (textPosition < 1 || textPosition > codePoints)
        return std::nullopt;
    const int first = textPosition - 1;
    const int start = m_text.sources[first].position;
    if (start < m_end)
        return std::nullopt;
    const int length = codePointLength > 0 ? std::min(codePointLength, codePoints - first)
                                           : wordLengthAt(first);
    if (length <= 0)
        return std::nullopt;
    m_end = m_text.sources[first + length - 1].end();
    return WordSpan{start, m_end - start};
}

// The code points of the word that starts at `codePoint`: a run of letters and digits, or one
// ideograph (the synthesiser reads each on its own).
int WordEventCleaner::wordLengthAt(int codePoint) const
{
    int end = codePoint;
    while (end < m_text.codePointCount()) {
        const char32_t c = m_text.codePoints[end];
        if (!isWordCharacter(c))
            break;
        if (isIdeograph(c))
            return end == codePoint ? 1 : end - codePoint;
        ++end;
    }
    return end - codePoint;
}

void MapSourcesBack(SpeechText &spoken, const RuledText &ruled)
{
    for (WordSpan &source : spoken.sources) {
        const SourceSpan original = ruled.sourceOf(source.position, source.length);
        source = {original.position, original.length};
    }
}
