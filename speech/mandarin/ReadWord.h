#pragma once
#include "Syllable.h"

// A word of a text as the reading layer found it: where it stands (UTF-16 units of the text),
// what kind of word it is, and how it is read. `spoken` is what stands for the word when the
// voice cannot take pinyin: the Chinese numeral of a number, empty for the word itself.
struct ReadWord
{
    enum Kind { Chinese, Number, Other };

    int position = 0;
    int length = 0;
    Kind kind = Other;
    Syllables syllables; // empty for Other and for a character no dictionary knows
    QString spoken;
    bool fromListener = false; // read as the listener's own readings give it, tones and all
};

using ReadWords = QVector<ReadWord>;
