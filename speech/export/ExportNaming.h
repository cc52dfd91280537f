#pragma once
#include "AudioFormat.h"
#include <QString>

// A chapter title as a file name part: path separators and the characters that FAT and NTFS
// refuse (players and phones use those) become their full-width forms, control characters and
// runs of white space become one space, leading and trailing spaces and dots go, and the result
// is cut to ExportTitleBytes bytes of UTF-8 at a character boundary.
QString SafeFileTitle(const QString &title);

// The most UTF-8 bytes of a title in a file name, so that number, extension and the temporary
// suffix stay within the 255 bytes a file name may hold.
constexpr int ExportTitleBytes = 200;

// "NNN 标题.ext": the chapter's number with leading zeros to at least three digits, or to the
// digits of `count` when there are more chapters, then the safe title; "NNN.ext" when the title
// is empty once made safe.
QString ExportFileName(int number, int count, const QString &title, AudioFormat format);
