#pragma once
#include "TextRule.h"
#include <QVector>

// The rules offered ready-made, each turned off until the listener turns it on: lines with a web
// address or a domain, the notices that sites put into the text, and bracketed author notes at
// a paragraph's start or end. They are ordinary rules from then on, to read and edit.
QVector<TextRule> PresetRules();
