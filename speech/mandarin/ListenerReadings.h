#pragma once
#include "Syllable.h"
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

class MandarinDictionary;

// A listener's own readings, from a plain text file of one "词 pinyin" a line: the word, white
// space, then its syllables with tone numbers or tone marks ("银行 yin2 hang2", "银行 yín háng");
// 儿化 may be one syllable ("一点儿 yi4 dianr3"). Empty lines and lines starting with # are
// skipped. Every other line that does not parse is kept as a fault with its number.
class ListenerReadings
{
public:
    struct Fault
    {
        QString file; // its path, empty for a text parsed alone
        int line = 0;
        QString text;
    };

    // Parses `content`; syllables must be ones the dictionary knows.
    static ListenerReadings parse(const QString &content, const MandarinDictionary &dictionary);
    // The file's readings; an absent file gives none and no fault.
    static ListenerReadings load(const QString &path, const MandarinDictionary &dictionary);

    // Readings of `more` replace those of this set for the same word.
    void add(const ListenerReadings &more);

    const Syllables *find(QStringView word) const;
    int longestWord() const { return m_longest; }
    bool isEmpty() const { return m_words.isEmpty(); }
    const QVector<Fault> &faults() const { return m_faults; }

private:
    QHash<QString, Syllables> m_words;
    QVector<Fault> m_faults;
    int m_longest = 0;
};

// The syllables of a reading given for `word` ("yin2 hang2", "yín háng", "dianr3"): pinyin the
// dictionary knows, one syllable a character but for the 儿 that a syllable with 儿化 takes in.
// Nothing when it does not fit, and in `why` the reason in a few words.
std::optional<Syllables> ParseWordReading(const QString &word, const QStringList &pinyin,
                                          const MandarinDictionary &dictionary, QString *why = nullptr);

// "<XDG config folder>/tarrowin/pronunciations.txt"
QString ListenerReadingsFilePath();
// The side file of a novel that holds its own readings.
inline const QString NovelReadingsSuffix = QStringLiteral(".duyin");
// The files a novel is read with: the listener's general file, then the novel's (its side file's
// path, which wins).
QStringList ListenerReadingsFiles(const QString &novelReadingsPath);
