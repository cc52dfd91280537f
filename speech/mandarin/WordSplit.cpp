#include "WordSplit.h"
#include "ListenerReadings.h"
#include "MandarinDictionary.h"
#include <limits>

namespace {
enum class CharClass { Han, Digit, Letter, Space, Other };

char32_t codePointAt(QStringView text, qsizetype i, int &units)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        units = 2;
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    }
    units = 1;
    return text[i].unicode();
}

CharClass classOf(char32_t c)
{
    if ((c >= u'0' && c <= u'9') || (c >= 0xFF10 && c <= 0xFF19))
        return CharClass::Digit;
    if (QChar::script(c) == QChar::Script_Han && QChar::isLetterOrNumber(c))
        return CharClass::Han;
    if (QChar::isLetter(c))
        return CharClass::Letter;
    if (QChar::isSpace(c))
        return CharClass::Space;
    return CharClass::Other;
}

// A number's own signs: the decimal point between digits and a percent sign after them.
bool continuesNumber(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (c == u'%' || c == u'％')
        return true;
    const bool point = c == u'.' || c == u'．';
    return point && i + 1 < text.size() && classOf(text[i + 1].unicode()) == CharClass::Digit
        && i > 0 && classOf(text[i - 1].unicode()) == CharClass::Digit;
}

struct Candidate
{
    int length = 0;
    float weight = 0;
    int entry = -1;                 // dictionary entry, or -1
    const Syllables *own = nullptr; // the listener's reading
};

class HanSplitter
{
public:
    HanSplitter(QStringView run, int offset, const MandarinDictionary &dictionary,
                const ListenerReadings *own)
        : m_run(run), m_offset(offset), m_dictionary(dictionary), m_own(own)
    {
    }

    void appendTo(ReadWords &words) const
    {
        const qsizetype n = m_run.size();
        // best[i] is the best weight of a split of the run from i to its end.
        QVector<float> best(n + 1, 0);
        QVector<Candidate> choice(n);
        for (qsizetype i = n - 1; i >= 0; --i) {
            best[i] = -std::numeric_limits<float>::infinity();
            forEachCandidate(i, [&](const Candidate &c) {
                const float weight = c.weight + best[i + c.length];
                if (weight > best[i]) {
                    best[i] = weight;
                    choice[i] = c;
                }
            });
        }
        for (qsizetype i = 0; i < n; i += choice[i].length) {
            const Candidate &c = choice[i];
            ReadWord word{m_offset + int(i), c.length, ReadWord::Chinese, {}, {}, c.own != nullptr};
            if (c.own)
                word.syllables = *c.own;
            else if (c.entry >= 0)
                word.syllables = m_dictionary.reading(c.entry);
            words.append(word);
        }
    }

private:
    template<typename Visit>
    void forEachCandidate(qsizetype i, Visit visit) const
    {
        int units = 1;
        codePointAt(m_run, i, units);
        // A character alone is always a way through, known or not.
        bool alone = false;
        MandarinDictionary::Range range = m_dictionary.startingWith(m_run[i].unicode());
        for (qsizetype end = i; end < m_run.size(); ++end) {
            if (end > i)
                range = m_dictionary.narrow(range, m_run[end].unicode());
            if (range.isEmpty())
                break;
            const int entry = m_dictionary.exact(range);
            if (entry >= 0) {
                const int length = int(end - i + 1);
                alone |= length == units;
                visit(Candidate{length, m_dictionary.logFrequency(entry), entry, nullptr});
            }
        }
        if (!alone)
            visit(Candidate{units, m_dictionary.unknownLogFrequency(), -1, nullptr});
        if (!m_own)
            return;
        const qsizetype longest = std::min<qsizetype>(m_own->longestWord(), m_run.size() - i);
        for (qsizetype length = 1; length <= longest; ++length) {
            if (const Syllables *reading = m_own->find(m_run.mid(i, length)))
                visit(Candidate{int(length), 0.0f, -1, reading}); // certain: weight of log 1
        }
    }

    QStringView m_run;
    int m_offset;
    const MandarinDictionary &m_dictionary;
    const ListenerReadings *m_own;
};
}

ReadWords SplitWords(QStringView text, const MandarinDictionary &dictionary, const ListenerReadings *own)
{
    ReadWords words;
    qsizetype i = 0;
    while (i < text.size()) {
        int units = 1;
        const CharClass kind = classOf(codePointAt(text, i, units));
        qsizetype end = i + units;
        while (end < text.size()) {
            int next = 1;
            const CharClass nextKind = classOf(codePointAt(text, end, next));
            if (nextKind != kind && !(kind == CharClass::Digit && continuesNumber(text, end)))
                break;
            end += next;
        }
        if (kind == CharClass::Han) {
            HanSplitter(text.mid(i, end - i), int(i), dictionary, own).appendTo(words);
        } else {
            const auto wordKind = kind == CharClass::Digit ? ReadWord::Number : ReadWord::Other;
            words.append(ReadWord{int(i), int(end - i), wordKind, {}, {}, false});
        }
        i = end;
    }
    return words;
}
