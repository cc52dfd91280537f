#pragma once
#include <QString>
#include <QVector>

// A stretch of the text the rules were applied to, in UTF-16 units.
struct SourceSpan
{
    int position = 0;
    int length = 0;
    int end() const { return position + length; }
};

// A text after the rules, with each of its UTF-16 units mapped back to the stretch of the
// original text it came from: a kept character to itself, every character of a replacement to
// the whole match it replaced. Removed stretches have nothing mapped to them, so a mark that
// follows the new text steps over them, and a replaced word is marked as the original word.
class RuledText
{
public:
    RuledText() = default;
    // `text` unchanged, each unit its own source.
    explicit RuledText(const QString &text);

    const QString &text() const { return m_text; }
    // The original stretch that units [position, position + length) of the new text come from;
    // empty at the end of the original for an empty or out-of-range stretch.
    SourceSpan sourceOf(int position, int length) const;
    // The same text after `match` (a stretch of this text) is replaced by `replacement`, the
    // matches given in order and not overlapping.
    struct Change
    {
        SourceSpan match;
        QString replacement;
    };
    RuledText changed(const QVector<Change> &changes) const;
    // The part of this text that comes from the original's units [from, from + length), as if
    // that stretch had been the original: the units whose source begins in it, their sources
    // counted from `from` and cut at its end. A replacement of a match that begins before the
    // stretch belongs to the text before it.
    RuledText window(int from, int length) const;

private:
    QString m_text;
    // The original stretch of each unit: [m_starts[i], m_ends[i]).
    QVector<int> m_starts;
    QVector<int> m_ends;
    int m_sourceLength = 0;
};
