#pragma once
#include "AudioFormat.h"
#include "TextEncoding.h"
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks of one start of the program:
//   tarrowin [FILE]      open FILE, wherever it is, and go on at its place
//   tarrowin --help      print the usage and end
//   tarrowin --version   print the version and end
//   tarrowin --export-audio DIR [--chapters A-B] [--format NAME] FILE
//                        write FILE's chapters as audio files into DIR, with no window
//   tarrowin --pronounce TEXT
//   tarrowin --pronounce --file NOVEL [--chapters A-B]
//                        print each word of TEXT (or of the novel) with its reading
//   tarrowin --import-rules FILE
//                        add the text rules of FILE to the listener's own, with no window
//   tarrowin --list-shelf
//                        print the bookshelf as tab-separated lines
// --encoding NAME goes with every command that reads a novel: it is read in that encoding
// instead of the one chosen for it in the window or, failing that, found in its bytes.
// It is read before any window or display exists, so that the printing options work anywhere.
struct AudioExportRequest
{
    QString folder;              // DIR as an absolute, clean path
    QString chapters;            // "A-B" as given; empty for every chapter
    AudioFormat format = AudioFormat::Opus;
    std::optional<TextEncoding> encoding; // --encoding; nullopt for the novel's own
};

// What --pronounce reads: `text` as given, or the chapters of `novel` (an absolute, clean path).
struct PronounceRequest
{
    QString text;
    QString novel;
    QString chapters;            // "A-B" as given; empty for every chapter
    std::optional<TextEncoding> encoding; // --encoding; nullopt for the novel's own
};

struct CommandLineRequest
{
    // Set when this start ends at once, with what to print: to standard output for exit code 0,
    // to standard error for any other.
    std::optional<int> exitCode;
    QString output;
    // FILE as an absolute, clean path; empty when none was given.
    QString novel;
    // --encoding for FILE: the window opens it in this encoding and keeps it as its choice.
    std::optional<TextEncoding> encoding;
    // FILE as an absolute, clean path when it cannot be read as a novel (the start then ends
    // with kUsageError); a window already up is told as well.
    QString refusedNovel;
    // Set by --export-audio: export `novel` instead of opening a window.
    std::optional<AudioExportRequest> exportAudio;
    // Set by --pronounce: print the readings instead of opening a window.
    std::optional<PronounceRequest> pronounce;
    // Set by --import-rules: the rule file (an absolute, clean path) to add to the listener's.
    std::optional<QString> importRules;
    // Set by --list-shelf: print the bookshelf instead of opening a window.
    bool listShelf = false;
};

namespace CommandLine {
// The exit code of a command line that cannot be carried out: an unknown option, a missing
// value, more than one FILE, a FILE that cannot be read as a novel.
constexpr int kUsageError = 2;

// `arguments` as QCoreApplication::arguments() gives them, the program's name first. Relative
// paths are taken against `workingFolder`.
CommandLineRequest Parse(const QStringList &arguments, const QString &workingFolder);
}
