#include "PronounceCommand.h"
#include "ChapterCache.h"
#include "ChapterRange.h"
#include "NovelEncoding.h"
#include "ExportParts.h"
#include "ListenerReadingsCache.h"
#include "MandarinDictionary.h"
#include "MandarinReader.h"
#include "ProgramFolder.h"
#include "RuleFile.h"
#include "TextRulesCache.h"
#include "TextRangeReader.h"
#include <QFileInfo>
#include <cstdio>

namespace {
// Text read per piece of a novel: pieces end at line ends, where no word goes on.
constexpr qint64 PieceBytes = 256 * 1024;

void printError(const QString &line)
{
    std::fprintf(stderr, "tarrowin: %s\n", line.toUtf8().constData());
}

// Prints the words of a text as the voice says it: after the listener's text rules.
class WordPrinter
{
public:
    WordPrinter(const MandarinDictionary &dictionary, const ListenerReadings &own, TextRules &rules)
        : m_reader(dictionary, &own), m_rules(rules)
    {
    }

    void print(const QString &original)
    {
        const QString text = m_rules.apply(original, RuleScope::Speech).text();
        for (const QString &notice : m_rules.takeTurnedOff())
            printError(notice);
        QByteArray out;
        for (const ReadWord &word : m_reader.read(text)) {
            out += PronounceLine(text.mid(word.position, word.length), m_reader.pinyin(word.syllables)).toUtf8();
            out += '\n';
        }
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    }

private:
    MandarinReader m_reader;
    TextRules &m_rules;
};

// The novel's chapters as the range asks, read piece by piece; false when it cannot be read.
int printNovel(const PronounceRequest &request, WordPrinter &printer)
{
    const Novel novel{request.novel, NovelEncodingFor(request.novel, request.encoding)};
    const std::optional<ChapterList> chapters = LoadOrScanChapters(novel);
    if (!chapters || chapters->isEmpty()) {
        printError(QStringLiteral("%1: no text to read").arg(request.novel));
        return 1;
    }
    const QString rangeText = request.chapters.isEmpty()
        ? QStringLiteral("1-%1").arg(chapters->size()) : request.chapters;
    const std::optional<ChapterRange> range = ParseChapterRange(rangeText, chapters->size());
    if (!range) {
        printError(QStringLiteral("--chapters %1: not a range of chapters 1 to %2").arg(request.chapters).arg(chapters->size()));
        return CommandLine::kUsageError;
    }
    for (const ExportPart &part : ExportPartsOf(*chapters, QFileInfo(request.novel).size(), *range)) {
        TextRangeReader reader(novel, part.start, part.end, PieceBytes);
        while (const std::optional<QString> text = reader.next())
            printer.print(*text);
        if (reader.failed()) {
            printError(QStringLiteral("%1: cannot be read").arg(request.novel));
            return 1;
        }
    }
    return 0;
}
}

QString PronounceLine(const QString &word, const QString &reading)
{
    QString escaped;
    for (const QChar c : word) {
        switch (c.unicode()) {
        case u'\n': escaped += u"\\n"; break;
        case u'\r': escaped += u"\\r"; break;
        case u'\t': escaped += u"\\t"; break;
        case u'\\': escaped += u"\\\\"; break;
        default: escaped += c;
        }
    }
    return escaped + u'\t' + reading;
}

int RunPronounceCommand(const PronounceRequest &request)
{
    const MandarinDictionary *dictionary = MandarinDictionary::shared();
    if (!dictionary) {
        printError(QStringLiteral("the Mandarin dictionary cannot be read (%1)").arg(MandarinDictionary::sharedPath()));
        return 1;
    }
    const QString novelReadings = request.novel.isEmpty() ? QString() : SideFileToRead(request.novel, NovelReadingsSuffix);
    ListenerReadingsCache cache;
    const ListenerReadings &own = cache.readings(ListenerReadingsFiles(novelReadings), *dictionary);
    for (const ListenerReadings::Fault &fault : own.faults())
        printError(QStringLiteral("%1:%2: not a reading: %3").arg(fault.file).arg(fault.line).arg(fault.text));
    const QString novelRules = request.novel.isEmpty() ? QString() : SideFileToRead(request.novel, NovelRulesSuffix);
    TextRulesCache rules;
    TextRules &textRules = rules.rules(TextRuleFiles(novelRules));
    for (const QString &notice : rules.takeNotices())
        printError(notice);
    WordPrinter printer(*dictionary, own, textRules);
    if (request.novel.isEmpty()) {
        printer.print(request.text);
        return 0;
    }
    return printNovel(request, printer);
}
