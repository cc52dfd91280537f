#pragma once
#include "DictionaryFormat.h"
#include "Syllable.h"
#include <QFile>
#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

// The compiled dictionary of Mandarin words, mapped from its file and never copied: words with
// their readings and the natural log of their frequency. Lookups walk the words sorted by their
// UTF-16 units, narrowing the range of words that start with what has been read so far.
class MandarinDictionary
{
public:
    // A range of entries, all beginning with the same `depth` UTF-16 units.
    struct Range
    {
        uint32_t first = 0;
        uint32_t last = 0; // one past
        int depth = 0;
        bool isEmpty() const { return first >= last; }
    };

    // Null when the file is missing, unreadable or not a dictionary of this layout.
    static std::unique_ptr<MandarinDictionary> open(const QString &path);
    // The dictionary the program uses: $TARROWIN_MANDARIN_DICT, else "mandarin.dict" beside the
    // executable or in ../share/tarrowin from it, else "tarrowin/mandarin.dict" in the system's data folders. Opened once; null
    // when none is found (the text is then spoken as the voice reads it).
    static const MandarinDictionary *shared();
    static QString sharedPath();

    Range all() const { return {0, m_header->entryCount, 0}; }
    // The words that begin with `unit`.
    Range startingWith(char16_t unit) const { return {m_firstUnit[unit], m_firstUnit[unit + 1], 1}; }
    // The words of `range` whose next unit is `unit`.
    Range narrow(Range range, char16_t unit) const;
    // The entry of `range` that is exactly its `depth` units long, or -1.
    int exact(Range range) const;
    // The entry for `word`, or -1.
    int find(QStringView word) const;

    float logFrequency(int entry) const { return entries()[entry].logFrequency; }
    Syllables reading(int entry) const;
    float unknownLogFrequency() const { return m_header->unknownLogFrequency; }
    int longestWord() const { return int(m_header->longestWord); }
    int entryCount() const { return int(m_header->entryCount); }

    // The base syllable's letters ("zhuang"), or an empty text for an index out of range.
    QLatin1String baseText(uint16_t base) const;
    // The index of a base syllable, or -1 when the dictionary has no such syllable.
    int baseIndex(QLatin1String text) const;

private:
    MandarinDictionary() = default;
    bool check() const;
    void indexFirstUnits();
    const DictionaryFormat::Entry *entries() const;
    const char16_t *text(const DictionaryFormat::Entry &entry) const;

    QFile m_file;
    const uchar *m_data = nullptr;
    qint64 m_size = 0;
    const DictionaryFormat::Header *m_header = nullptr;
    // m_firstUnit[u] is the first entry that begins with unit u or a later one: the first step of
    // every lookup without a search.
    std::vector<uint32_t> m_firstUnit;
};
