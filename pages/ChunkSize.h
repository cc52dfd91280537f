#pragma once
#include "PageMeasure.h"
#include "TextEncoding.h"
#include <QtGlobal>

// How many bytes to read from the file for one page, measured with the character "好".
namespace ChunkSize {

// Most copies of "好" tried; a box that shows all of them counts as showing one more.
constexpr int MaxCount = 10000;

// The smallest number of "好" (1 .. MaxCount + 1) that the box cannot show. The doubling stops
// at MaxCount, so a box that never overflows (no usable size, or huge) ends at once; a box that
// cannot show a single character gives 1.
int FirstOverflowingCount(PageMeasure &measure);

// The whole part of 1.2 times the byte length of `count` copies of "好" in the encoding (2 bytes
// each in GBK, 3 in UTF-8).
qint64 ForCount(int count, TextEncoding encoding = TextEncoding::Gbk);

// FirstOverflowingCount and ForCount together.
qint64 Measure(PageMeasure &measure, TextEncoding encoding = TextEncoding::Gbk);

}
