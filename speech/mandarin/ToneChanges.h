#pragma once
#include "ReadWord.h"
#include <QStringView>

// The tone changes of spoken Mandarin, applied to words already read: a third tone before a third
// tone inside a word becomes a second tone (你好 ní hǎo); a lone 一 is yí before a fourth tone, yì
// before the others, and stays yī when counted, after 第 or at the end; a lone 不 is bú before a
// fourth tone; both are neutral between a doubled word (看一看, 好不好). The listener's own
// readings are left as written.
void ApplyToneChanges(QStringView text, ReadWords &words);
