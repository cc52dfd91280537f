#pragma once
#include "ReadWord.h"
#include <QStringView>

class MandarinDictionary;

// Readings of characters standing alone that their neighbours decide, where the dictionary can
// only give the character's commonest reading in words: a lone 得 after a person (我得走) is
// děi, after any other word the particle de (跑得快), and dé only where nothing comes before.
void ChooseLoneReadings(QStringView text, ReadWords &words, const MandarinDictionary &dictionary);
