#include "ListenerReadings.h"
#include "MandarinDictionary.h"
#include <QFile>
#include <QStandardPaths>

namespace {
bool parseLine(QStringView line, const MandarinDictionary &dictionary, QString &word, Syllables &syllables)
{
    const QList<QStringView> fields = line.split(u' ', Qt::SkipEmptyParts);
    if (fields.size() < 2)
        return false;
    word = fields[0].toString();
    QStringList pinyin;
    for (qsizetype i = 1; i < fields.size(); ++i)
        pinyin << fields[i].toString();
    const std::optional<Syllables> parsed = ParseWordReading(word, pinyin, dictionary);
    syllables = parsed.value_or(Syllables());
    return parsed.has_value();
}
}

std::optional<Syllables> ParseWordReading(const QString &word, const QStringList &pinyin,
                                          const MandarinDictionary &dictionary, QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (pinyin.isEmpty())
        return refuse(QStringLiteral("请输入读音"));
    Syllables syllables;
    int rhotic = 0;
    for (const QString &text : pinyin) {
        QString base;
        int tone = 0;
        bool isRhotic = false;
        const int index = ParsePinyinSyllable(text, base, tone, isRhotic)
            ? dictionary.baseIndex(QLatin1String(base.toLatin1())) : -1;
        if (index < 0)
            return refuse(QStringLiteral("“%1”不是拼音").arg(text));
        rhotic += isRhotic ? 1 : 0;
        syllables.append(Syllable{uint16_t(index), uint8_t(tone), isRhotic});
    }
    const qsizetype characters = word.toUcs4().size();
    if (syllables.size() != characters && syllables.size() + rhotic != characters)
        return refuse(QStringLiteral("%1 个字，却有 %2 个音节").arg(characters).arg(syllables.size()));
    return syllables;
}

ListenerReadings ListenerReadings::parse(const QString &content, const MandarinDictionary &dictionary)
{
    ListenerReadings result;
    const QList<QStringView> lines = QStringView(content).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString simplified = lines[i].toString().simplified();
        if (simplified.startsWith(QChar(0xFEFF)))
            simplified.remove(0, 1);
        if (simplified.isEmpty() || simplified.startsWith(u'#'))
            continue;
        QString word;
        Syllables syllables;
        if (!parseLine(simplified, dictionary, word, syllables)) {
            result.m_faults.append({QString(), int(i) + 1, simplified});
            continue;
        }
        result.m_longest = std::max(result.m_longest, int(word.size()));
        result.m_words.insert(word, syllables);
    }
    return result;
}

ListenerReadings ListenerReadings::load(const QString &path, const MandarinDictionary &dictionary)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    ListenerReadings result = parse(QString::fromUtf8(file.readAll()), dictionary);
    for (Fault &fault : result.m_faults)
        fault.file = path;
    return result;
}

void ListenerReadings::add(const ListenerReadings &more)
{
    for (auto it = more.m_words.begin(); it != more.m_words.end(); ++it)
        m_words.insert(it.key(), it.value());
    m_faults += more.m_faults;
    m_longest = std::max(m_longest, more.m_longest);
}

const Syllables *ListenerReadings::find(QStringView word) const
{
    const auto it = m_words.constFind(word.toString());
    return it == m_words.cend() ? nullptr : &*it;
}

QString ListenerReadingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + u"/tarrowin/pronunciations.txt"_qs;
}

QStringList ListenerReadingsFiles(const QString &novelReadingsPath)
{
    QStringList files{ListenerReadingsFilePath()};
    if (!novelReadingsPath.isEmpty())
        files.append(novelReadingsPath);
    return files;
}
