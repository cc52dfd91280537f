#pragma once
#include "ReadWord.h"
#include <QString>
#include <QStringView>

class MandarinDictionary;
class ListenerReadings;

// The reading layer: a text in, its words out, each with the syllables a careful speaker says
// (the dictionary's reading of the word, the listener's where one is given, numbers read as
// Chinese, tone changes applied). The words cover the text in order, without gaps.
class MandarinReader
{
public:
    explicit MandarinReader(const MandarinDictionary &dictionary, const ListenerReadings *own = nullptr);

    ReadWords read(QStringView text) const;
    // "yin2 hang2": tone numbers 1 to 5, 5 for the neutral tone, 儿化 as an r before the tone.
    QString pinyin(const Syllables &syllables) const;
    // The pinyin of the characters from `position` on, `length` UTF-16 units, as read within the
    // text around them: the syllables of those characters of the words they belong to (a whole
    // word's where its syllables do not go one to a character, as with 儿化).
    QString pinyinOf(QStringView text, int position, int length) const;
    const MandarinDictionary &dictionary() const { return m_dictionary; }

private:
    void readNumber(QStringView text, ReadWord &word) const;

    const MandarinDictionary &m_dictionary;
    const ListenerReadings *m_own;
};
