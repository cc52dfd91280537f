#include "mdlIniFile.h"
#include "IniDocument.h"
#include "KeptWrite.h"
#include "ProgramFolder.h"
#include "StateFolder.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace {

// The most bytes of a stored value that a read returns.
constexpr qsizetype kMaxValueBytes = 1999;

QString &keptIniFilePath()
{
    static QString path;
    return path;
}

// The settings file as it is now; an empty document when it cannot be read.
IniDocument settingsDocument()
{
    QFile file(ReadablePathFor(mdlIniFile::IniFilePath()));
    return IniDocument(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

bool startsOrEndsWithBlank(const QString &value)
{
    auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    return !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()));
}

// What a write stores: the value's first line (a line break would end the key's line early and
// put the rest on lines of its own) without any "?", wrapped in "?" when it begins or ends with
// a blank, which the read would otherwise strip.
QString guardedValue(QString value)
{
    const auto lineEnd = std::find_if(value.cbegin(), value.cend(), [](QChar c) {
        return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0);
    });
    value.truncate(lineEnd - value.cbegin());
    value.remove(QLatin1Char('?'));
    if (startsOrEndsWithBlank(value))
        value = QLatin1Char('?') + value + QLatin1Char('?');
    return value;
}

// How many of the UTF-8 `bytes` make whole characters: all but a character cut off at the end.
qsizetype Utf8WholeCharacters(QByteArrayView bytes)
{
    qsizetype lead = bytes.size();
    while (lead > 0 && (uchar(bytes[lead - 1]) & 0xC0) == 0x80)
        --lead;
    if (lead == 0)
        return bytes.size();
    const uchar first = uchar(bytes[--lead]);
    const qsizetype length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return bytes.size() - lead < length ? lead : bytes.size();
}

// The text a read returns for stored bytes: at most 1999 bytes up to the first zero byte, never
// ending inside a character, with every "?" removed.
QString readBackText(const IniDocument &document, QByteArray bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    const bool cut = bytes.size() > kMaxValueBytes;
    bytes.truncate(kMaxValueBytes);
    if (cut && document.isUtf8())
        bytes.truncate(Utf8WholeCharacters(bytes));
    QString text = document.decode(bytes);
    if (!text.isEmpty() && text.back() == QChar(0))
        text.chop(1);
    return text.remove(QLatin1Char('?'));
}

// An optional minus sign followed by decimal digits, up to the first other character; 0 when
// there are no digits. Held within the 32-bit range.
qint32 leadingInteger(QByteArrayView text)
{
    const bool negative = text.startsWith('-');
    if (negative)
        text = text.sliced(1);
    constexpr qint64 limit = qint64(std::numeric_limits<qint32>::max()) + 1;
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(value * 10 + (c - '0'), limit);
    }
    if (negative)
        return qint32(-value);
    return qint32(std::min<qint64>(value, std::numeric_limits<qint32>::max()));
}

QString executableFileName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

}

void ForgetIniFilePath()
{
    keptIniFilePath().clear();
}

namespace mdlIniFile {

QString IniFilePathFor(const QString &folder, const QString &executableFileName)
{
    QString path = folder + QLatin1Char('/') + executableFileName;
    if (path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        path.chop(4);
    // An executable named "x.ini" would otherwise take itself for its settings file.
    const bool namesTheExecutable = path.size() == folder.size() + 1 + executableFileName.size();
    if (namesTheExecutable || !path.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive))
        path += QLatin1String(".ini");
    return path;
}

QString IniFilePath()
{
    QString &path = keptIniFilePath();
    if (path.isEmpty())
        path = IniFilePathFor(ProgramFolder(), executableFileName());
    return path;
}

long WriteIniString(const QString &section, const QString &key, const QString &value)
{
    // A program folder that cannot be written keeps its settings in the state folder, starting
    // from the ones found beside the program.
    QByteArray content;
    QFile existing(ReadablePathFor(IniFilePath()));
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return 0;
        content = existing.readAll();
    }
    IniDocument document(std::move(content));
    document.setValue(section, key, document.encode(guardedValue(value)));
    return WriteKeptFile(IniFilePath(), document.content()).written() ? 1 : 0;
}

qint32 ReadIniInteger(const QString &section, const QString &key, qint32 defaultValue)
{
    const auto stored = settingsDocument().value(section, key);
    return stored ? leadingInteger(*stored) : defaultValue;
}

QString ReadIniString(const QString &section, const QString &key, const QString &defaultValue)
{
    const IniDocument document = settingsDocument();
    return readBackText(document, document.value(section, key).value_or(document.encode(defaultValue)));
}

}
