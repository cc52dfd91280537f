#pragma once
#include "BytePos.h"
#include "HeadingRule.h"
#include <QString>
#include <optional>
#include <vector>

// One entry of a novel's table of contents: where its line starts in the file, its level and
// its title.
struct Chapter
{
    BytePos start;
    HeadingLevel level = HeadingLevel::Chapter;
    QString title;

    friend bool operator==(const Chapter &a, const Chapter &b)
    {
        return a.start == b.start && a.level == b.level && a.title == b.title;
    }
};

// A novel's table of contents, in the order of the file. A novel without headings gets twenty
// equal parts instead, so the list is never empty for a file that holds text.
class ChapterList
{
public:
    // How many equal parts stand in for the chapters of a novel without headings.
    static constexpr int kParts = 20;

    ChapterList() = default;
    ChapterList(std::vector<Chapter> entries, bool headingsFound)
        : m_entries(std::move(entries)), m_headingsFound(headingsFound) {}

    const std::vector<Chapter> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.empty(); }
    int size() const { return int(m_entries.size()); }
    const Chapter &at(int index) const { return m_entries[size_t(index)]; }
    // False when the entries are the equal parts of a novel without headings.
    bool headingsFound() const { return m_headingsFound; }

    // The entry that holds `position`: the last one that starts at or before it; -1 before the
    // first (or for an empty list).
    int indexAt(BytePos position) const;
    // The title of that entry, empty before the first.
    QString titleAt(BytePos position) const;
    // The start of the entry after (before) the one that holds `position`; nothing from the last
    // (the first) entry. Before the first entry, the next one is the first.
    std::optional<BytePos> nextStart(BytePos position) const;
    std::optional<BytePos> previousStart(BytePos position) const;

    friend bool operator==(const ChapterList &a, const ChapterList &b)
    {
        return a.m_headingsFound == b.m_headingsFound && a.m_entries == b.m_entries;
    }

private:
    std::vector<Chapter> m_entries;
    bool m_headingsFound = false;
};

// The twenty equal parts of a novel without headings, from the first byte of each (the scan puts
// them on line starts), titled by the share of the file before them: "0%", "5%", ... "95%".
// Parts that would start where the one before them starts are left out.
ChapterList EqualParts(const std::vector<BytePos> &starts);
