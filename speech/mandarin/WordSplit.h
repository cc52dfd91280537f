#pragma once
#include "ReadWord.h"
#include <QStringView>

class MandarinDictionary;
class ListenerReadings;

// Splits a text into its words. Chinese runs take the most probable split into dictionary words
// (the product of the words' frequencies is largest); a character in no word stands alone; a
// listener's word wins over any split. Runs of digits, of Latin letters, of white space and of
// other signs each stay one word. Words come in order and cover the text without gaps.
ReadWords SplitWords(QStringView text, const MandarinDictionary &dictionary,
                     const ListenerReadings *own);
