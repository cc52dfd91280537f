#pragma once
#include "BytePos.h"
#include "HeardWord.h"
#include "Novel.h"
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

// Following the voice page by page: which page holds the word being heard, and where on it.

// A word's place on a page, in characters of the page's text.
struct WordPlace
{
    int offset = 0;
    int length = 0;
    friend bool operator==(const WordPlace &a, const WordPlace &b)
    {
        return a.offset == b.offset && a.length == b.length;
    }
};

// Keeps the page that holds the word being heard. Pages come from `cut`, which returns the
// page that starts at a position and moves the position past it (the page engine's next page),
// so the pages shown are those a reader turning by hand from the same place sees. A page is cut
// only when the page changes, never per word.
class PageFollower
{
public:
    using CutPage = std::function<QString(BytePos &position)>;
    PageFollower(Novel novel, CutPage cut);

    // The page shown before following (turned by hand, found): `end` is the byte after it. A word
    // on it keeps it; any other word shows the page at its piece's start.
    void setShownPage(BytePos end, const QString &text);

    // Shows the page that holds `word` and returns its place there (none when no page holds it,
    // as at a zero byte or past the end of the file, where the page stays).
    //  - a word on the page shown keeps the page;
    //  - reading on (the word's piece is the last word's piece or the one right after it) turns
    //    to the next page when the word starts at or past the page's end;
    //  - anything else (the first word, a find, a chapter chosen) shows the page that starts at
    //    the word's piece, and turns on from there to the word.
    std::optional<WordPlace> Follow(const HeardWord &word);

    bool hasPage() const { return !m_text.isEmpty(); }
    BytePos pageStart() const { return m_start; }
    BytePos pageEnd() const { return m_end; }
    const QString &pageText() const { return m_text; }
    // How many pages were cut so far.
    int cuts() const { return m_cuts; }

    // Where the bytes [start, start + length) lie on the page shown, held to the page.
    std::optional<WordPlace> MarkOf(BytePos start, qint64 length) const;

private:
    bool OnPage(BytePos at) const { return hasPage() && m_start <= at && at < m_end; }
    bool ShowFrom(BytePos start);
    void SetPage(BytePos end, const QString &text);

    Novel m_novel;
    CutPage m_cut;
    BytePos m_start;
    BytePos m_end;
    QString m_text;
    QVector<qint64> m_offsets; // bytes from the page start to each character, and to the end
    std::optional<HeardWord> m_last;
    int m_cuts = 0;
};
