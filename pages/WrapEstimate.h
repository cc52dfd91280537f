#pragma once
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <vector>

// Where the page box would wrap a paragraph, estimated without laying it out: from the advances
// of single characters and the text's line-break opportunities, filling each line greedily as
// the text layout does. It is exact for text in one font without kerning, Chinese above all, and
// many times quicker than a layout, so page fits take it as their guess and lay the text out only
// to confirm it.
class WrapEstimate
{
public:
    struct Line
    {
        int start; // in the paragraph
        int end;
        qreal width; // its characters' advances, spaces included
    };

    WrapEstimate(const QFont &font, qreal wrapWidth);

    // Takes the paragraph (a text without line ends) that the next questions are about.
    void SetParagraph(const QString &paragraph);
    // The lines of the paragraph's characters from `from` to `to` (-1: its end), wrapped as if
    // the paragraph were only those; no characters make one empty line.
    std::vector<Line> Lines(int from = 0, int to = -1) const;
    // How many leading characters of the paragraph take at most `lines` lines (at least one).
    int LongestHead(int lines) const;
    // The first character from which the rest of the paragraph takes at most `lines` lines (at
    // least one).
    int ShortestTailStart(int lines) const;

private:
    qreal Advance(QChar c);

    QFontMetricsF m_metrics;
    qreal m_wrapWidth;
    qreal m_ideographAdvance; // the same for every ideograph in a Chinese font
    QHash<char16_t, qreal> m_kept;
    QString m_paragraph;
    std::vector<qreal> m_advances; // of each character of the paragraph
    std::vector<bool> m_spaces;    // whether each character is white space
    std::vector<int> m_breaks;     // where a line may begin, in order
};
