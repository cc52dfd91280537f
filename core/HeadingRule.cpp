#include "HeadingRule.h"
#include "ChineseNumber.h"
#include "CharIn.h"
#include <algorithm>
#include <utility>

namespace {

constexpr QStringView kKinds = u"章回节節卷集部篇C";
constexpr QStringView kVolumeKinds = u"卷集部";
// Words that head a chapter without a number, the longer before the shorter of one start.
const QStringView kWords[] = {u"序章", u"序言", u"序", u"楔子", u"引子", u"前言",
                              u"尾声", u"尾聲", u"后记", u"後記", u"番外"};
constexpr int kRunOnTitleChars = 30;
// The longest first half of a two-part 回 title.
constexpr int kHalfTitleChars = 20;

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

bool IsSeparator(QChar c)
{
    switch (c.unicode()) {
    case u' ': case u'\t': case 0x3000: case u'：': case u':': case u'、': case u'.': case u'．':
    case u'-': case u'—': case u'·': case u'_':
        return true;
    default:
        return false;
    }
}

bool IsSentencePunctuation(QChar c)
{
    switch (c.unicode()) {
    case u'，': case u'。': case u'！': case u'？': case u'；': case u'：': case u'…':
    case u',': case u'.': case u'!': case u'?': case u';': case u':':
        return true;
    default:
        return false;
    }
}

bool HasSentencePunctuation(QStringView text)
{
    for (QChar c : text) {
        if (IsSentencePunctuation(c))
            return true;
    }
    return false;
}

qsizetype SkipWhile(QStringView text, qsizetype at, bool (*skip)(QChar))
{
    while (at < text.size() && skip(text[at]))
        ++at;
    return at;
}

QStringView TrimBlanks(QStringView line)
{
    qsizetype begin = SkipWhile(line, 0, IsBlank);
    qsizetype end = line.size();
    while (end > begin && (IsBlank(line[end - 1]) || line[end - 1] == u'\r'))
        --end;
    return line.mid(begin, end - begin);
}

qsizetype CodePoints(QStringView text)
{
    qsizetype count = 0;
    for (QChar c : text)
        count += c.isLowSurrogate() ? 0 : 1;
    return count;
}

// What follows a heading's number is a title of its own (nothing, a separator, or words without
// sentence punctuation) rather than a sentence that began with "第".
bool IsTidyRest(QStringView rest)
{
    return rest.isEmpty() || IsSeparator(rest.front()) || !HasSentencePunctuation(rest);
}

// The title of a heading whose chapter text runs on in its line: a 回 title of two halves ends
// when its second half is as long as its first; any other ends at the first sentence punctuation
// or after 30 characters.
QString RunOnTitle(QStringView line, qsizetype restStart, QChar kind)
{
    const qsizetype titleStart = SkipWhile(line, restStart, IsSeparator);
    if (kind == u'回') {
        // The halves are parted by an ideographic space where there is one (an ASCII space in a
        // half can stand for a character the file lost), else by an ASCII blank.
        const QStringView region = line.mid(titleStart, kHalfTitleChars + 1);
        qsizetype half = region.indexOf(QChar(0x3000));
        if (half < 0)
            half = std::find_if(region.begin(), region.end(), IsBlank) - region.begin();
        if (half > 0 && half < region.size() && !HasSentencePunctuation(region.left(half))) {
            const qsizetype second = SkipWhile(line, titleStart + half, IsBlank);
            const qsizetype end = second + half;
            if (end <= line.size() && !HasSentencePunctuation(line.mid(second, half)))
                return line.left(end).toString();
        }
    }
    qsizetype end = titleStart;
    while (end < line.size() && end - titleStart < kRunOnTitleChars && !IsSentencePunctuation(line[end]))
        ++end;
    return TrimBlanks(line.left(end)).toString();
}

std::optional<HeadingLine> Numbered(QStringView line, bool longLine, const HeadingSequence &sequence)
{
    if (!line.startsWith(u'第'))
        return std::nullopt;
    const qsizetype numberStart = SkipWhile(line, 1, IsBlank);
    qsizetype numberEnd = numberStart;
    while (numberEnd < line.size() && IsNumeralChar(line[numberEnd]))
        ++numberEnd;
    const qsizetype kindAt = SkipWhile(line, numberEnd, IsBlank);
    if (kindAt >= line.size() || line[kindAt] == u'C' || !CharIn(kKinds, line[kindAt]))
        return std::nullopt;
    const std::optional<qint64> number = ChineseNumberValue(line.mid(numberStart, numberEnd - numberStart));
    if (!number)
        return std::nullopt;
    HeadingLine heading;
    heading.kind = line[kindAt];
    heading.number = *number;
    heading.level = CharIn(kVolumeKinds, heading.kind) ? HeadingLevel::Volume : HeadingLevel::Chapter;
    const QStringView rest = line.mid(kindAt + 1);
    if (!longLine && IsTidyRest(rest))
        heading.title = line.toString();
    else if (sequence.Continues(heading.kind, heading.number))
        heading.title = RunOnTitle(line, kindAt + 1, heading.kind);
    else
        return std::nullopt;
    return heading;
}

std::optional<HeadingLine> Word(QStringView line)
{
    for (QStringView word : kWords) {
        if (!line.startsWith(word))
            continue;
        const QStringView rest = line.mid(word.size());
        if (rest.isEmpty() || IsSeparator(rest.front()) || (word == u"番外" && !HasSentencePunctuation(rest)))
            return HeadingLine{line.toString(), HeadingLevel::Chapter, QChar(), 0};
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<qint64> RomanValue(QStringView numeral)
{
    static const QString letters = QStringLiteral("ivxlcdm");
    static const int values[] = {1, 5, 10, 50, 100, 500, 1000};
    qint64 total = 0;
    for (qsizetype i = 0; i < numeral.size(); ++i) {
        const int value = values[letters.indexOf(numeral[i].toLower())];
        const qsizetype next = i + 1 < numeral.size() ? letters.indexOf(numeral[i + 1].toLower()) : -1;
        total += next >= 0 && values[next] > value ? -value : value;
    }
    return total > 0 ? std::optional<qint64>(total) : std::nullopt;
}

std::optional<HeadingLine> English(QStringView line)
{
    if (!line.startsWith(u"chapter", Qt::CaseInsensitive))
        return std::nullopt;
    const qsizetype numberStart = SkipWhile(line, 7, IsBlank);
    qsizetype numberEnd = numberStart;
    const bool arabic = numberStart < line.size() && line[numberStart].isDigit();
    auto inNumber = [&](QChar c) {
        return arabic ? c.isDigit() : CharIn(u"ivxlcdmIVXLCDM", c);
    };
    while (numberEnd < line.size() && inNumber(line[numberEnd]))
        ++numberEnd;
    if (numberEnd == numberStart || (numberStart == 7 && !arabic))
        return std::nullopt;
    if (numberEnd < line.size() && !IsSeparator(line[numberEnd]) && !IsSentencePunctuation(line[numberEnd]))
        return std::nullopt;
    const QStringView numeral = line.mid(numberStart, numberEnd - numberStart);
    const std::optional<qint64> number = arabic ? ChineseNumberValue(numeral) : RomanValue(numeral);
    if (!number)
        return std::nullopt;
    return HeadingLine{line.toString(), HeadingLevel::Chapter, QChar(u'C'), *number};
}

}

const HeadingSequence::Last *HeadingSequence::find(QChar kind) const
{
    const qsizetype index = kKinds.indexOf(kind);
    return index < 0 ? nullptr : &m_last[size_t(index)];
}

HeadingSequence::Last *HeadingSequence::find(QChar kind)
{
    return const_cast<Last *>(std::as_const(*this).find(kind));
}

bool HeadingSequence::Continues(QChar kind, qint64 number) const
{
    const Last *last = find(kind);
    return last && (number == last->number + 1 || (number == 1 && last->volumeSince));
}

void HeadingSequence::Record(const HeadingLine &heading)
{
    Last *last = find(heading.kind);
    if (!last)
        return;
    *last = Last{heading.number, false};
    if (heading.level != HeadingLevel::Volume)
        return;
    for (Last &other : m_last) {
        if (&other != last)
            other.volumeSince = true;
    }
}

std::optional<HeadingLine> MatchHeadingLine(QStringView line, bool whole, const HeadingSequence &sequence)
{
    const QStringView text = TrimBlanks(line);
    const bool longLine = !whole || CodePoints(text) > kHeadingMaxChars;
    if (auto heading = Numbered(text, longLine, sequence))
        return heading;
    if (longLine)
        return std::nullopt;
    if (auto heading = Word(text))
        return heading;
    return English(text);
}
