#include "CommandLine.h"
#include "NovelFileCheck.h"
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <variant>

namespace {

// Every option the program takes, declared once; Parse reads them back from here.
struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Print this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Print the version and exit.")};
    QCommandLineOption exportAudio{
        QStringLiteral("export-audio"),
        QStringLiteral("Write FILE's chapters as audio files into DIR (created when missing), one file "
                       "per chapter named \"NNN title.ext\", spoken with the voice, rate and pitch of "
                       "the speech settings. Needs no display. Shows a progress bar on a terminal, else "
                       "a line per file; exits 0 when every file was written, 1 when one could not be "
                       "(nothing half-written is left), 2 for a wrong command line."),
        QStringLiteral("DIR")};
    QCommandLineOption chapters{
        QStringLiteral("chapters"),
        QStringLiteral("With --export-audio or --pronounce --file: only chapters A to B of the table of "
                       "contents (\"3-5\", or \"4\" for one); all chapters without it."),
        QStringLiteral("A-B")};
    QCommandLineOption format{
        QStringLiteral("format"),
        QStringLiteral("With --export-audio: opus (the default), vorbis, mp3, flac or wav."),
        QStringLiteral("opus|vorbis|mp3|flac|wav")};

    QCommandLineOption pronounce{
        QStringLiteral("pronounce"),
        QStringLiteral("Print each word of TEXT (the one argument), or of NOVEL with --file, on a line of "
                       "its own: the word, a tab, and its reading as the voice says it (pinyin, tone "
                       "numbers 1-5, 5 for the neutral tone), with your own text rules and readings applied; other "
                       "signs print with an empty reading. Line ends, tabs and backslashes in a word "
                       "print as \\n, \\r, \\t and \\\\. Needs no display.")};
    QCommandLineOption file{QStringLiteral("file"),
                            QStringLiteral("With --pronounce: read the novel NOVEL instead of TEXT."),
                            QStringLiteral("NOVEL")};

    QCommandLineOption importRules{
        QStringLiteral("import-rules"),
        QStringLiteral("Add the text rules of FILE (a JSON array of rules, as listeners share them) "
                       "to your own, and print how many were taken; each rule refused is named on "
                       "standard error with its reason. Needs no display. Exits 0, 1 when your rule file "
                       "cannot be read or written, 2 when FILE cannot be read as rules."),
        QStringLiteral("FILE")};

    QCommandLineOption encoding{
        QStringLiteral("encoding"),
        QStringLiteral("Read the novel (FILE, or NOVEL of --pronounce --file) in this encoding: gbk, gb18030, "
                       "big5, utf-8, utf-16le or utf-16be. Without it, the encoding chosen for the novel "
                       "in the window, else the one found in its bytes. Opening FILE keeps it as the "
                       "window's choice for the novel."),
        QStringLiteral("NAME")};

    QCommandLineOption listShelf{
        QStringLiteral("list-shelf"),
        QStringLiteral("Print the bookshelf as tab-separated lines, a header line first: title, encoding, "
                       "chapters, share read, chapter of the place, last read, listening time left, state "
                       "(empty, or that the file is missing) and path. Needs no display.")};

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
        parser.addOption(exportAudio);
        parser.addOption(chapters);
        parser.addOption(format);
        parser.addOption(pronounce);
        parser.addOption(file);
        parser.addOption(encoding);
        parser.addOption(importRules);
        parser.addOption(listShelf);
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

// The encoding --encoding names (nullopt without it), or the usage error for a name of none.
std::variant<std::optional<TextEncoding>, CommandLineRequest> ReadEncoding(const QCommandLineParser &parser,
                                                                         const Options &options)
{
    if (!parser.isSet(options.encoding))
        return std::optional<TextEncoding>();
    const std::optional<TextEncoding> encoding = EncodingFromName(parser.value(options.encoding));
    if (!encoding)
        return UsageError(QStringLiteral("unknown encoding '%1': gbk, gb18030, big5, utf-8, utf-16le or utf-16be")
                              .arg(parser.value(options.encoding)));
    return encoding;
}

// Adds the export that --export-audio asks for to `request`; a usage error for a format
// that is not one of the five. The chapter range is checked once the chapters are known.
CommandLineRequest ReadExportOptions(const QCommandLineParser &parser, const Options &options,
                                     const QString &workingFolder, CommandLineRequest request)
{
    if (!parser.isSet(options.exportAudio))
        return request;
    AudioExportRequest exportAudio;
    exportAudio.folder =
        QDir::cleanPath(QDir(workingFolder).absoluteFilePath(parser.value(options.exportAudio)));
    exportAudio.chapters = parser.value(options.chapters);
    if (parser.isSet(options.format)) {
        const std::optional<AudioFormat> format = AudioFormatFromName(parser.value(options.format));
        if (!format)
            return UsageError(QStringLiteral("unknown audio format '%1': opus, vorbis, mp3, flac or wav")
                                  .arg(parser.value(options.format)));
        exportAudio.format = *format;
    }
    request.exportAudio = exportAudio;
    return request;
}

// The request of --pronounce: TEXT, or the novel of --file with its chapters.
CommandLineRequest ReadPronounceOptions(const QCommandLineParser &parser, const Options &options,
                                        const QString &workingFolder)
{
    const QStringList texts = parser.positionalArguments();
    const bool fromFile = parser.isSet(options.file);
    if (parser.isSet(options.exportAudio) || parser.isSet(options.format))
        return UsageError(QStringLiteral("--pronounce goes without --export-audio and --format"));
    if (fromFile == !texts.isEmpty() || texts.size() > 1)
        return UsageError(QStringLiteral("--pronounce needs one TEXT or --file NOVEL"));
    if (!fromFile && parser.isSet(options.chapters))
        return UsageError(QStringLiteral("--chapters goes with --pronounce --file"));
    if (!fromFile && parser.isSet(options.encoding))
        return UsageError(QStringLiteral("--encoding goes with --pronounce --file"));
    const auto encoding = ReadEncoding(parser, options);
    if (const auto *error = std::get_if<CommandLineRequest>(&encoding))
        return *error;
    PronounceRequest pronounce;
    pronounce.chapters = parser.value(options.chapters);
    if (!fromFile) {
        pronounce.text = texts.front();
    } else {
        const QString path = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(parser.value(options.file)));
        if (const NovelFileProblem problem = CheckNovelFile(path); problem != NovelFileProblem::None)
            return Ending(CommandLine::kUsageError, QStringLiteral("tarrowin: %1: %2\n").arg(path, ProblemText(problem)));
        pronounce.novel = path;
        pronounce.encoding = std::get<std::optional<TextEncoding>>(encoding);
    }
    CommandLineRequest request;
    request.pronounce = pronounce;
    return request;
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

    if (parser.isSet(options.importRules)) {
        if (!parser.positionalArguments().isEmpty() || parser.optionNames().size() > 1)
            return UsageError(QStringLiteral("--import-rules goes alone"));
        CommandLineRequest request;
        request.importRules = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(parser.value(options.importRules)));
        return request;
    }
    if (parser.isSet(options.listShelf)) {
        if (parser.optionNames().size() > 1 || !parser.positionalArguments().isEmpty())
            return UsageError(QStringLiteral("--list-shelf goes alone"));
        CommandLineRequest request;
        request.listShelf = true;
        return request;
    }
    if (parser.isSet(options.pronounce))
        return ReadPronounceOptions(parser, options, workingFolder);
    if (parser.isSet(options.file))
        return UsageError(QStringLiteral("--file goes with --pronounce"));
    const QStringList files = parser.positionalArguments();
    const bool exporting = parser.isSet(options.exportAudio);
    if (!exporting && (parser.isSet(options.chapters) || parser.isSet(options.format)))
        return UsageError(QStringLiteral("--chapters and --format go with --export-audio"));
    if (exporting && files.isEmpty())
        return UsageError(QStringLiteral("--export-audio needs a FILE to export"));
    if (files.size() > 1)
        return UsageError(QStringLiteral("one FILE at most, %1 given").arg(files.size()));
    if (files.isEmpty() && parser.isSet(options.encoding))
        return UsageError(QStringLiteral("--encoding goes with a FILE"));
    const auto encoding = ReadEncoding(parser, options);
    if (const auto *error = std::get_if<CommandLineRequest>(&encoding))
        return *error;
    CommandLineRequest request;
    if (files.isEmpty())
        return request;
    const QString path = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(files.front()));
    if (const NovelFileProblem problem = CheckNovelFile(path); problem != NovelFileProblem::None) {
        CommandLineRequest refused = Ending(kUsageError, QStringLiteral("tarrowin: %1: %2\n").arg(path, ProblemText(problem)));
        if (!exporting)
            refused.refusedNovel = path;
        return refused;
    }
    request.novel = path;
    request.encoding = std::get<std::optional<TextEncoding>>(encoding);
    request = ReadExportOptions(parser, options, workingFolder, request);
    if (request.exportAudio)
        request.exportAudio->encoding = request.encoding;
    return request;
}

}
