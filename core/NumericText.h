#pragma once
#include <QString>

// The numeric value of a text box: its leading decimal number, 0 when it holds none
// ("100abc" gives 100, "" gives 0), rounded to a whole number (half to even: 2.5 gives 2,
// 3.5 gives 4), held within the 64-bit range.
qint64 NumericValue(const QString &text);

// position / length formatted "#0.00%": 5000 of 20000 gives "25.00%". An empty text when length
// is 0 or less, so that the caller keeps what it showed.
QString FormatPercent(qint64 position, qint64 length);
