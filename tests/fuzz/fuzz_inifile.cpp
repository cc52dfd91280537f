// The settings-file reader and writer on a fuzzed file. Reading any key of any file returns a
// value of at most 1999 bytes or the default. Writing a key, then reading it back, gives what the
// same write gives in an empty file of the same encoding (GBK, or UTF-8 after a byte-order mark),
// and every other line of the file keeps its text.
#include "FuzzSupport.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "mdlIniFile.h"
#include <QDir>
#include <QFile>
#include <algorithm>

using namespace mdlIniFile;

namespace {

// Section and key names as the program uses them: letters, digits and underscores.
QString nameFrom(const QByteArray &bytes)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";
    QString name;
    for (char c : bytes)
        name += QLatin1Char(alphabet[uint8_t(c) % (sizeof alphabet - 1)]);
    return name.isEmpty() ? QStringLiteral("K") : name;
}

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// The texts of the file's lines as the reader sees them: after a UTF-8 byte-order mark, split at
// LF, without one CR at the end.
QList<QByteArray> lineTexts(QByteArray content)
{
    if (content.startsWith(kUtf8Mark))
        content.remove(0, 3);
    QList<QByteArray> lines = content.split('\n');
    if (content.isEmpty() || content.endsWith('\n'))
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

bool isKeyLine(QByteArray line, const QString &key)
{
    const qsizetype equals = line.indexOf('=');
    return equals > 0 && Gbk::toUnicode(line.left(equals)).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

bool isSectionLine(QByteArray line, const QString &section)
{
    line = line.trimmed();
    return line.startsWith('[') && line.endsWith(']')
        && Gbk::toUnicode(line.mid(1, line.size() - 2)).trimmed().compare(section, Qt::CaseInsensitive) == 0;
}

// Only the key's own line (and, for a new section, its heading) may differ between the two files.
void checkOtherLinesKept(const QByteArray &before, const QByteArray &after, const QString &section,
                         const QString &key)
{
    const QList<QByteArray> old = lineTexts(before);
    const QList<QByteArray> now = lineTexts(after);
    qsizetype head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head])
        ++head;
    qsizetype tail = 0;
    while (tail < old.size() - head && tail < now.size() - head
           && old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const qsizetype oldChanged = old.size() - head - tail;
    const qsizetype newChanged = now.size() - head - tail;
    FUZZ_CHECK(oldChanged <= 1);
    if (oldChanged == 1)
        FUZZ_CHECK(isKeyLine(old[head], key));
    FUZZ_CHECK(newChanged <= 2);
    for (qsizetype i = head; i < head + newChanged; ++i)
        FUZZ_CHECK(isKeyLine(now[i], key) || isSectionLine(now[i], section));
}

QString settingsFolder(const QString &name)
{
    const QString folder = FuzzScratchFolder() + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    return folder;
}

struct ReadBack
{
    QString text;
    qint32 number;
    bool operator==(const ReadBack &other) const { return text == other.text && number == other.number; }
};

ReadBack readKey(const QString &section, const QString &key)
{
    return {ReadIniString(section, key, QStringLiteral("-")), ReadIniInteger(section, key, -7)};
}

ReadBack writeAndRead(const QString &folder, const QByteArray &content, const QString &section,
                      const QString &key, const QString &value)
{
    SetProgramFolder(folder);
    WriteFuzzFile(IniFilePath(), content);
    const ReadBack before = readKey(section, key);
    FUZZ_CHECK(Gbk::byteLength(before.text) <= 1999);
    FUZZ_CHECK(WriteIniString(section, key, value) != 0);
    const QByteArray after = ReadFuzzFile(IniFilePath());
    checkOtherLinesKept(content, after, section, key);
    return readKey(section, key);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const auto sectionLength = input.take<uint8_t>();
    const auto keyLength = input.take<uint8_t>();
    const auto valueLength = input.take<uint16_t>();
    const QString section = nameFrom(input.takeBytes(sectionLength % 12));
    const QString key = nameFrom(input.takeBytes(keyLength % 12));
    const QByteArray valueBytes = input.takeBytes(valueLength % 2400);
    const QString value = Gbk::toUnicode(valueBytes);
    const QByteArray content = input.rest();

    const ReadBack inFuzzedFile = writeAndRead(settingsFolder(QStringLiteral("fuzzed")), content,
                                               section, key, value);
    // An empty file of the same encoding: a file with a byte-order mark holds UTF-8.
    const QByteArray empty = content.startsWith(kUtf8Mark) ? QByteArray(kUtf8Mark) : QByteArray();
    const ReadBack inEmptyFile = writeAndRead(settingsFolder(QStringLiteral("empty")), empty,
                                              section, key, value);
    FUZZ_CHECK(inFuzzedFile == inEmptyFile);
    const bool plainValue = !value.isEmpty() && valueBytes.size() < 1999
        && std::all_of(value.cbegin(), value.cend(), [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 0x80; });
    if (plainValue)
        FUZZ_CHECK(inEmptyFile.text == value);
    return 0;
}
