#pragma once
#include "SpeechSettings.h"
#include "SpeechText.h"
#include <QStringView>
#include <QVector>

// The pauses the program makes between the voice's runs, so that they hold at every speed: after
// ，、；： a clause pause, after 。！？… (and the closing quotes that follow) a sentence pause, at
// a line end a paragraph pause, after a line that is a chapter heading a heading pause.
enum class PauseKind { None, Clause, Sentence, Paragraph, Heading };

// Code points [from, to) of the spoken text, spoken in one go, and the pause after them; whether
// they are of a line that is a chapter heading.
struct SpeechRun
{
    int from = 0;
    int to = 0;
    PauseKind pause = PauseKind::None;
    bool heading = false;
    bool operator==(const SpeechRun &o) const
    {
        return from == o.from && to == o.to && pause == o.pause && heading == o.heading;
    }
};

// Cuts the spoken text of `text` into runs, each ending after the signs and line ends that make
// its pause; together they cover the spoken text in order.
QVector<SpeechRun> SplitIntoRuns(const SpeechText &spoken, const QString &text);

// Whether a run is spoken under the settings (a heading is not when headings are skipped).
bool IsSpoken(const SpeechRun &run, const SpeechSettings &settings);
// The milliseconds of silence for a pause of that kind (a heading read as any line has a
// paragraph's).
int PauseMilliseconds(PauseKind kind, const SpeechSettings &settings);

// Where the sentences of `text` begin, in UTF-16 units, ascending: 0, and every place after a
// sentence's end (。！？… with the closing quotes and blanks that follow) or a line end that
// still holds text.
QVector<int> SentenceStartIndices(QStringView text);
