#pragma once
#include <QString>
#include <vector>

// The text of a box and what the box shows of it. The box keeps its text exactly (CR LF pairs
// included); it shows every line end (a CR LF pair, a lone CR or a lone LF) as one character: a
// paragraph break in a multi-line box, a space in a single-line box. Positions map both ways.
class ShownText
{
public:
    enum class Breaks { AsLineBreaks, AsSpaces };

    ShownText() = default;
    ShownText(const QString &text, Breaks breaks);

    const QString &text() const { return m_text; }
    const QString &shown() const { return m_shown; }

    // A position of text() (0..length) as a position of shown(). A position between the CR and
    // the LF of a pair maps to the start of the line end.
    int toShown(int textPosition) const;
    // A position of shown() as a position of text(); never between the CR and LF of a pair.
    int toText(int shownPosition) const;

    // The text after the user changed what is shown into `newShown` by replacing `removed`
    // characters at `position` of shown(): the change is carried over onto the text; a paragraph
    // break typed by the user becomes CR LF, the line end of the platform's edit control. The rest
    // of the text keeps its characters exactly.
    QString textAfterEdit(int position, int removed, const QString &newShown) const;

private:
    QString m_text;
    QString m_shown;
    std::vector<int> m_pairText;  // index in text() of the CR of each CR LF pair, ascending
    std::vector<int> m_pairShown; // index in shown() of the line end of each pair, ascending
};

// The text up to its first NUL character: a box keeps no more than that.
QString CutAtNul(const QString &text);
