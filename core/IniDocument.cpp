#include "IniDocument.h"
#include "Gbk.h"

namespace {

// One line of the file: [start, end) is its text without the line end, next the start of the
// line after it (end == next for a last line with no line end).
struct Line
{
    qsizetype start;
    qsizetype end;
    qsizetype next;
};

Line lineAt(const QByteArray &content, qsizetype start)
{
    const qsizetype lineFeed = content.indexOf('\n', start);
    const qsizetype next = lineFeed < 0 ? content.size() : lineFeed + 1;
    qsizetype end = lineFeed < 0 ? content.size() : lineFeed;
    if (end > start && content[end - 1] == '\r')
        --end;
    return {start, end, next};
}

// What must follow the file's last bytes before a new line can start there: nothing after a
// line feed, the LF that completes a lone CR, a whole CR LF otherwise.
QByteArray lineEndToComplete(QByteArrayView before)
{
    if (before.isEmpty() || before.back() == '\n')
        return {};
    return before.back() == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView withoutBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

// The name of a section line "[name]", or nullopt for any other line.
std::optional<QByteArrayView> sectionName(QByteArrayView text)
{
    if (text.isEmpty() || text.front() != '[')
        return std::nullopt;
    text = text.sliced(1);
    const qsizetype close = text.indexOf(']');
    return withoutBlanks(close < 0 ? text : text.first(close));
}

// Where the name of a key line "name=value" ends (the equals sign), or -1 for any other line.
qsizetype equalsSignOf(QByteArrayView text)
{
    if (text.isEmpty() || text.front() == ';')
        return -1;
    return text.indexOf('=');
}

}

struct IniDocument::Location
{
    bool sectionFound = false;
    // The key's line, or start -1 when the key is missing.
    Line keyLine{-1, -1, -1};
    qsizetype valueStart = -1;
    // Where a new key of the section goes: after the section's last line that is not blank.
    qsizetype insertAt = -1;
};

IniDocument::IniDocument(QByteArray content) : m_content(std::move(content)) {}

bool IniDocument::isUtf8() const
{
    return m_content.startsWith(kUtf8Mark);
}

QString IniDocument::decode(QByteArrayView bytes) const
{
    return isUtf8() ? QString::fromUtf8(bytes) : Gbk::toUnicode(bytes.data(), bytes.size());
}

QByteArray IniDocument::encode(const QString &text) const
{
    return isUtf8() ? text.toUtf8() : Gbk::fromUnicode(text);
}

IniDocument::Location IniDocument::locate(const QString &section, const QString &key) const
{
    Location found;
    bool inSection = false;
    auto isSameName = [this](QByteArrayView stored, const QString &name) {
        return decode(stored).compare(name, Qt::CaseInsensitive) == 0;
    };
    for (qsizetype at = isUtf8() ? kUtf8Mark.size() : 0; at < m_content.size();) {
        const Line line = lineAt(m_content, at);
        at = line.next;
        QByteArrayView text(m_content.constData() + line.start, line.end - line.start);
        while (!text.isEmpty() && isBlank(text.front()))
            text = text.sliced(1);
        if (const auto name = sectionName(text)) {
            if (inSection)
                break;
            inSection = isSameName(*name, section);
            found.sectionFound = inSection;
        } else if (!inSection || withoutBlanks(text).isEmpty()) {
            continue;
        } else if (const qsizetype equals = equalsSignOf(text);
                   equals > 0 && isSameName(withoutBlanks(text.first(equals)), key)) {
            found.keyLine = line;
            found.valueStart = line.end - text.size() + equals + 1;
            return found;
        }
        found.insertAt = line.next;
    }
    return found;
}

std::optional<QByteArray> IniDocument::value(const QString &section, const QString &key) const
{
    const Location found = locate(section, key);
    if (found.keyLine.start < 0)
        return std::nullopt;
    QByteArrayView stored(m_content.constData() + found.valueStart,
                          found.keyLine.end - found.valueStart);
    const qsizetype zero = stored.indexOf('\0');
    if (zero >= 0)
        stored = stored.first(zero);
    return withoutBlanks(stored).toByteArray();
}

void IniDocument::setValue(const QString &section, const QString &key, const QByteArray &value)
{
    const QByteArray keyLine = encode(key) + '=' + value + "\r\n";
    const Location found = locate(section, key);
    if (found.keyLine.start >= 0) {
        m_content.replace(found.keyLine.start, found.keyLine.next - found.keyLine.start, keyLine);
    } else if (found.sectionFound) {
        const QByteArrayView before(m_content.constData(), found.insertAt);
        m_content.insert(found.insertAt, lineEndToComplete(before) + keyLine);
    } else {
        if (m_content != kUtf8Mark)
            m_content += lineEndToComplete(m_content);
        m_content += '[' + encode(section) + "]\r\n" + keyLine;
    }
}
