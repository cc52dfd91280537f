#include "CommandLine.h"
#include "NovelFileCheck.h"
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

// Every option the program takes, declared once; Parse reads them back from here.
struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Print this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Print the version and exit.")};

    void addTo(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(
            QStringLiteral("Reads Chinese novels (plain text files) aloud and shows them page by page.\n"
                           "With FILE, opens that novel and goes on at its place; without, opens the\n"
                           "novel that was open last. A second start hands FILE to the running window."));
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The novel to open."),
                                     QStringLiteral("[FILE]"));
        parser.addOption(help);
        parser.addOption(version);
    }
};

CommandLineRequest Ending(int code, const QString &output)
{
    CommandLineRequest request;
    request.exitCode = code;
    request.output = output;
    return request;
}

CommandLineRequest UsageError(const QString &line)
{
    return Ending(CommandLine::kUsageError,
                  QStringLiteral("tarrowin: %1 (see tarrowin --help)\n").arg(line));
}

QString ProblemText(NovelFileProblem problem)
{
    switch (problem) {
    case NovelFileProblem::Missing:
        return QStringLiteral("no such file");
    case NovelFileProblem::NotAFile:
        return QStringLiteral("not a regular file");
    case NovelFileProblem::Unreadable:
        return QStringLiteral("cannot be read");
    case NovelFileProblem::NotText:
        return QStringLiteral("not a text file");
    case NovelFileProblem::None:
        break;
    }
    return QString();
}

}

namespace CommandLine {

CommandLineRequest Parse(const QStringList &arguments, const QString &workingFolder)
{
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (parser.isSet(options.help))
        return Ending(0, parser.helpText());
    if (parser.isSet(options.version))
        return Ending(0, QStringLiteral("tarrowin %1\n").arg(QStringLiteral(TARROWIN_VERSION)));

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return UsageError(QStringLiteral("one FILE at most, %1 given").arg(files.size()));
    CommandLineRequest request;
    if (files.isEmpty())
        return request;
    const QString path = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(files.front()));
    if (const NovelFileProblem problem = CheckNovelFile(path); problem != NovelFileProblem::None)
        return Ending(kUsageError, QStringLiteral("tarrowin: %1: %2\n").arg(path, ProblemText(problem)));
    request.novel = path;
    return request;
}

}
