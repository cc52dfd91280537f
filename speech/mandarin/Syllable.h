#pragma once
#include <QString>
#include <QVector>
#include <cstdint>

// One spoken syllable: its sound without tone (an index into the dictionary's table of bases),
// its tone (1 to 4, 5 for the neutral tone) and whether it ends in 儿化 (the r of "huir4").
struct Syllable
{
    uint16_t base = 0;
    uint8_t tone = 5;
    bool rhotic = false;

    // The dictionary's form: base * 16, 8 for 儿化, and the tone.
    static Syllable fromCode(uint16_t code)
    {
        return {uint16_t(code >> 4), uint8_t(code & 7), (code & 8) != 0};
    }
    uint16_t code() const { return uint16_t(base << 4 | (rhotic ? 8 : 0) | tone); }
    bool operator==(const Syllable &o) const { return base == o.base && tone == o.tone && rhotic == o.rhotic; }
};

using Syllables = QVector<Syllable>;

// A pinyin syllable taken apart: "hang2", "háng", "lǜ", "lv4", "nü3", "huir4", "de" (neutral).
// Returns false for anything else. `base` is lower case with ü written as v and without the r of
// 儿化, which goes to `rhotic`.
bool ParsePinyinSyllable(QStringView text, QString &base, int &tone, bool &rhotic);
