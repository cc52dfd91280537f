#pragma once
#include <QStringView>
#include <algorithm>

// Whether the characters of `set` hold `c`: a plain loop, for the many one-character tests of the
// heading rule (the library's contains() searches a one-character substring).
inline bool CharIn(QStringView set, QChar c)
{
    return std::find(set.begin(), set.end(), c) != set.end();
}
