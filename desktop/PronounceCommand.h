#pragma once
#include "CommandLine.h"

// Runs `tarrowin --pronounce`: prints on standard output, one line per word, the word, a tab and
// its reading as the voice will say it (pinyin with tone numbers, 5 for the neutral tone), with
// the listener's text rules and own readings applied; punctuation, Latin words and white space
// print with an empty reading. A line end, a tab or a backslash inside a word prints as \n, \r, \t or \\, so
// that each word stays on its line and the words, unescaped and joined, give back the text.
// Returns the exit code: 0, or 1 when the dictionary or the novel cannot be read,
// CommandLine::kUsageError for a chapter range that does not fit the novel.
int RunPronounceCommand(const PronounceRequest &request);

// One word's output line, without its line end.
QString PronounceLine(const QString &word, const QString &reading);
