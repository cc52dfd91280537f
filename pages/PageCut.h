#pragma once
#include <QString>

// Cutting a fitted text so that a page ends (or, read backwards, begins) at a break character:
// space, "，", "。", "！", "：", "”", "；", "？", LF or CR, each compared by exact code unit.
namespace PageCut {

bool IsBreakCharacter(QChar c);

// A text read forward: up to and including its last break character, or all of it.
QString HeadPage(const QString &fitted);

// A text read backward: what follows its first break character that is not its last
// character, or all of it.
QString TailPage(const QString &fitted);

}
