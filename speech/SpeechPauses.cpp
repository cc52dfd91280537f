#include "SpeechPauses.h"
#include "HeadingRule.h"
#include <QStringView>

namespace {
constexpr char16_t ClauseSigns[] = u"，、；：,;:";
constexpr char16_t SentenceSigns[] = u"。！？…!?";
// Signs that close what a pause sign ends and go with it: quotes and brackets.
constexpr char16_t ClosingSigns[] = u"”’」』）》〉】\"')";

bool isIn(const char16_t *signs, char32_t c)
{
    return c < 0x10000 && QStringView(signs).contains(QChar(char16_t(c)));
}

PauseKind kindOf(char32_t c, char32_t next)
{
    if (c == U'\n')
        return PauseKind::Paragraph;
    if (isIn(SentenceSigns, c) || (c == U'.' && (next == 0 || next == U' ' || next == U'\n')))
        return PauseKind::Sentence;
    if (isIn(ClauseSigns, c))
        return PauseKind::Clause;
    return PauseKind::None;
}

// Whether the line of the text that ends at `lineEnd` (UTF-16) and begins at `lineStart` is a
// chapter heading.
bool isHeading(const QString &text, int lineStart, int lineEnd)
{
    QStringView line = QStringView(text).mid(lineStart, lineEnd - lineStart);
    while (line.endsWith(u'\r'))
        line.chop(1);
    return !line.trimmed().isEmpty() && MatchHeadingLine(line, true, HeadingSequence()).has_value();
}
}

QVector<SpeechRun> SplitIntoRuns(const SpeechText &spoken, const QString &text)
{
    QVector<SpeechRun> runs;
    const QVector<char32_t> &c = spoken.codePoints;
    const int count = spoken.codePointCount();
    int from = 0;
    int lineStart = 0;
    int lineFirstRun = 0;
    for (int i = 0; i < count; ++i) {
        PauseKind pause = kindOf(c[i], i + 1 < count ? c[i + 1] : 0);
        if (pause == PauseKind::None)
            continue;
        // What follows the sign and belongs to its pause: more signs, closing quotes, blanks and
        // the line end; the strongest pause of them counts.
        int end = i + 1;
        while (end < count && c[end - 1] != U'\n') {
            const PauseKind next = kindOf(c[end], end + 1 < count ? c[end + 1] : 0);
            if (next == PauseKind::None && !isIn(ClosingSigns, c[end]) && c[end] != U' '
                && c[end] != U'\r' && c[end] != U'\t')
                break;
            pause = std::max(pause, next);
            ++end;
        }
        if (c[end - 1] == U'\n') {
            const int lineEnd = spoken.sources[end - 1].position;
            const bool heading = isHeading(text, lineStart, lineEnd);
            if (heading)
                pause = PauseKind::Heading;
            for (int r = lineFirstRun; r < runs.size(); ++r)
                runs[r].heading = heading;
            lineStart = lineEnd + 1;
            lineFirstRun = int(runs.size()) + 1;
            runs.append({from, end, pause, heading});
        } else {
            runs.append({from, end, pause});
        }
        from = end;
        i = end - 1;
    }
    if (from < count)
        runs.append({from, count, PauseKind::None});
    return runs;
}

QVector<int> SentenceStartIndices(QStringView text)
{
    QVector<int> starts{0};
    const int count = int(text.size());
    for (int i = 0; i < count; ++i) {
        const auto at = [&](int k) { return k < count ? char32_t(text[k].unicode()) : char32_t(0); };
        const PauseKind pause = kindOf(at(i), at(i + 1));
        if (pause != PauseKind::Sentence && pause != PauseKind::Paragraph)
            continue;
        int end = i + 1;
        while (end < count && (kindOf(at(end), at(end + 1)) >= PauseKind::Sentence || isIn(ClosingSigns, at(end))
                               || at(end) == U' ' || at(end) == U'\r' || at(end) == U'\t' || at(end) == U'\u3000'))
            ++end;
        if (end < count && starts.last() != end)
            starts.append(end);
        i = end - 1;
    }
    return starts;
}

bool IsSpoken(const SpeechRun &run, const SpeechSettings &settings)
{
    return !run.heading || settings.headings != SpeechSettings::Headings::Skip;
}

int PauseMilliseconds(PauseKind kind, const SpeechSettings &settings)
{
    if (kind == PauseKind::Heading && settings.headings == SpeechSettings::Headings::Read)
        kind = PauseKind::Paragraph;
    switch (kind) {
    case PauseKind::Clause: return settings.clausePauseMs;
    case PauseKind::Sentence: return settings.sentencePauseMs;
    case PauseKind::Paragraph: return settings.paragraphPauseMs;
    case PauseKind::Heading: return settings.headingPauseMs;
    case PauseKind::None: break;
    }
    return 0;
}
