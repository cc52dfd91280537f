#pragma once
#include "BytePos.h"
#include "Novel.h"
#include <QDateTime>
#include <QString>
#include <optional>

// A mark in a novel, anchored as the place is: the byte position and a stretch of the novel's own
// text there, so that it is found again in an edited or downloaded-again copy.
struct Bookmark
{
    BytePos at;
    QString text;  // the novel's text from `at` on, kAnchorCharacters at most
    QString note;  // the listener's, may be empty
    QDateTime when;

    friend bool operator==(const Bookmark &a, const Bookmark &b)
    {
        return a.at == b.at && a.text == b.text && a.note == b.note && a.when == b.when;
    }
};

// How many characters of the novel a bookmark keeps to be found again by.
constexpr int kAnchorCharacters = 40;

// A bookmark at `position` of `novel`, moved back to the start of the sentence that holds it when
// `sentenceStart` is set (the sentence being heard); nullopt when the novel holds no text there.
std::optional<Bookmark> MarkAt(const Novel &novel, BytePos position, bool sentenceStart);

// Where `mark` stands in `novel` now: at its position when its text is still there, else at the
// occurrence of its text nearest that position (an edit moved it), else nowhere.
std::optional<BytePos> FindMark(const Novel &novel, const Bookmark &mark);

// The first words of the bookmark's sentence, on one line, for a list.
QString FirstWords(const Bookmark &mark);
