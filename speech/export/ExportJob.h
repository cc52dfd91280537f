#pragma once
#include "AudioFormat.h"
#include "BytePos.h"
#include "SpeechSettings.h"
#include "TextEncoding.h"
#include <QList>
#include <QMetaType>
#include <QString>
#include <optional>

// Text bytes per synthesis request of an export: about a minute of speech, so that the audio
// waiting to be written stays small whatever the chapter's length.
constexpr qint64 ExportPieceBytes = 512;

// One chapter to export: its number in the novel, its title and its bytes [start, end).
struct ExportPart
{
    int number = 0;
    QString title;
    BytePos start;
    BytePos end;
};

// The bytes of text in the part; none for a range that ends before it starts.
qint64 ExportPartBytes(const ExportPart &part);

// What an export writes: one file per part into `folder`, with the voice settings given.
struct ExportJob
{
    QString textPath;          // the novel
    TextEncoding encoding = TextEncoding::Gbk; // the encoding its bytes are read in
    QString album;             // the novel's name, for the tags
    QList<ExportPart> parts;
    int chapterCount = 0;      // chapters of the whole novel: the width of the file numbers
    QString folder;
    AudioFormat format = AudioFormat::Opus;
    SpeechSettings settings;
};

// How far an export has come.
struct ExportProgress
{
    int partIndex = 0;         // index in the job's parts of the file being written
    QString fileName;          // its name, without the folder
    qint64 bytesDone = 0;      // text bytes spoken into files, of all parts
    qint64 bytesTotal = 0;
    std::optional<qint64> secondsLeft;
};

enum class ExportOutcome { Written, Cancelled, Failed };

// The time an export still needs, from the time it has taken for the share it has done; nothing
// while too little is done (under a second or no bytes) to tell.
std::optional<qint64> EstimateSecondsLeft(qint64 elapsedMs, qint64 bytesDone, qint64 bytesTotal);

// The voice settings an export speaks with: the user's voice, rate and pitch at full volume.
SpeechSettings ExportSpeechSettings(const SpeechSettings &user);

Q_DECLARE_METATYPE(ExportProgress)
Q_DECLARE_METATYPE(ExportOutcome)
