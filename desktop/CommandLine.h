#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks of one start of the program:
//   tarrowin [FILE]      open FILE, wherever it is, and go on at its place
//   tarrowin --help      print the usage and end
//   tarrowin --version   print the version and end
// It is read before any window or display exists, so that the printing options work anywhere.
struct CommandLineRequest
{
    // Set when this start ends at once, with what to print: to standard output for exit code 0,
    // to standard error for any other.
    std::optional<int> exitCode;
    QString output;
    // FILE as an absolute, clean path; empty when none was given.
    QString novel;
};

namespace CommandLine {
// The exit code of a command line that cannot be carried out: an unknown option, a missing
// value, more than one FILE, a FILE that cannot be read as a novel.
constexpr int kUsageError = 2;

// `arguments` as QCoreApplication::arguments() gives them, the program's name first. Relative
// paths are taken against `workingFolder`.
CommandLineRequest Parse(const QStringList &arguments, const QString &workingFolder);
}
