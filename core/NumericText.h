#pragma once
#include <QString>

// The numeric value of a text box: its leading decimal number, 0 when it holds none
// ("100abc" gives 100, "" gives 0), rounded to a whole number.
qint64 NumericValue(const QString &text);

// position / length formatted "#0.00%": 5000 of 20000 gives "25.00%".
QString FormatPercent(qint64 position, qint64 length);
