// Turns the word list with readings and frequencies (a JSON object of
// "word": ["pinyin with tone marks", frequency, ...]) into the compact dictionary the program
// maps, with the neutral tones of a second dictionary (a JSON object of
// "word": {"pinyin with tone numbers": ...}, after an "export default" of a JavaScript module)
// where the first reads them full. Run by the build; the program never parses JSON.
#include "DictionaryFormat.h"
#include "Syllable.h"
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>
#include <QMap>
#include <QSaveFile>
#include <cmath>
#include <optional>
#include <cstdio>
#include <vector>

namespace {
struct Word
{
    QString text;
    QVector<uint16_t> syllables;
    float logFrequency = 0;
};

// Characters a word list may leave out although a reading layer must know them. Both take part
// in tone changes that the layer applies after reading.
const std::pair<const char16_t *, const char *> AddedCharacters[] = {{u"不", "bù"}, {u"一", "yī"}};

class Compiler
{
public:
    // A word whose syllables do not match its characters is left out.
    bool add(const QString &text, const QString &pinyin, double frequency)
    {
        if (text.isEmpty() || frequency <= 0 || text.size() > 0xFFFF)
            return false;
        const QStringList parts = pinyin.split(u' ', Qt::SkipEmptyParts);
        Word word{text, {}, float(std::log(frequency))};
        const QVector<uint> codePoints = text.toUcs4();
        if (parts.size() != codePoints.size())
            return false;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            QString base;
            int tone = 0;
            bool rhotic = false;
            if (!ParsePinyinSyllable(parts[i], base, tone, rhotic))
                return false;
            // A neutral "er" written for 儿 after another syllable is 儿化: one syllable with it.
            if (codePoints[i] == U'儿' && base == u"er" && tone == 5 && i > 0) {
                word.syllables.last() = word.syllables.last() | 8;
                continue;
            }
            word.syllables.append(Syllable{baseIndex(base), uint8_t(tone), rhotic}.code());
        }
        m_words.insert(text, word);
        return true;
    }

    // Takes the second dictionary's neutral tones for a word it reads in one way only, the same
    // syllables with the same tones but where it has the neutral one (商量 shāng liang). A word
    // it reads in two ways (东西 "east and west" and "thing") keeps the first list's reading.
    int takeNeutralTones(const QString &text, const QString &pinyin)
    {
        const auto word = m_words.find(text);
        const QStringList parts = pinyin.toLower().split(u' ', Qt::SkipEmptyParts);
        if (word == m_words.end() || parts.size() != word->syllables.size())
            return 0;
        QVector<uint16_t> neutral = word->syllables;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            QString base;
            int tone = 0;
            bool rhotic = false;
            const Syllable ours = Syllable::fromCode(neutral[i]);
            if (!ParsePinyinSyllable(parts[i], base, tone, rhotic) || m_bases.value(base, 0xFFFF) != ours.base
                || (tone != ours.tone && tone != 5))
                return 0;
            neutral[i] = Syllable{ours.base, uint8_t(tone), ours.rhotic}.code();
        }
        const bool changed = neutral != word->syllables;
        word->syllables = neutral;
        return changed ? 1 : 0;
    }

    bool write(const QString &path) const;
    int count() const { return int(m_words.size()); }

private:
    uint16_t baseIndex(const QString &base)
    {
        auto it = m_bases.find(base);
        if (it == m_bases.end())
            it = m_bases.insert(base, uint16_t(m_bases.size()));
        return *it;
    }

    QMap<QString, Word> m_words;      // sorted by UTF-16 units, the order the lookup needs
    QMap<QString, uint16_t> m_bases;  // in the order they were met
};

void appendAligned(QByteArray &out, const void *data, qsizetype size)
{
    out.append(static_cast<const char *>(data), size);
    while (out.size() % 4)
        out.append('\0');
}

bool Compiler::write(const QString &path) const
{
    std::vector<char> bases(size_t(m_bases.size()) * DictionaryFormat::BaseBytes, '\0');
    for (auto it = m_bases.begin(); it != m_bases.end(); ++it) {
        const QByteArray latin = it.key().toLatin1().left(DictionaryFormat::BaseBytes - 1);
        std::copy(latin.begin(), latin.end(), bases.begin() + *it * DictionaryFormat::BaseBytes);
    }
    std::vector<DictionaryFormat::Entry> entries;
    std::vector<char16_t> text;
    std::vector<uint16_t> readings;
    float lowest = 0;
    uint32_t longest = 0;
    for (const Word &word : m_words) {
        entries.push_back({uint32_t(text.size()), uint32_t(readings.size()), word.logFrequency,
                           uint16_t(word.text.size()), uint16_t(word.syllables.size())});
        text.insert(text.end(), word.text.utf16(), word.text.utf16() + word.text.size());
        readings.insert(readings.end(), word.syllables.begin(), word.syllables.end());
        lowest = std::min(lowest, word.logFrequency);
        longest = std::max(longest, uint32_t(word.text.size()));
    }
    DictionaryFormat::Header header{};
    std::copy(std::begin(DictionaryFormat::Magic), std::end(DictionaryFormat::Magic), header.magic);
    header.baseCount = uint32_t(m_bases.size());
    header.entryCount = uint32_t(entries.size());
    header.unknownLogFrequency = lowest - 2.0f; // below every word: a known word always wins
    header.longestWord = longest;

    QByteArray out;
    appendAligned(out, &header, sizeof header);
    header.baseOffset = uint32_t(out.size());
    appendAligned(out, bases.data(), qsizetype(bases.size()));
    header.entryOffset = uint32_t(out.size());
    appendAligned(out, entries.data(), qsizetype(entries.size() * sizeof(DictionaryFormat::Entry)));
    header.textOffset = uint32_t(out.size());
    appendAligned(out, text.data(), qsizetype(text.size() * sizeof(char16_t)));
    header.readingOffset = uint32_t(out.size());
    appendAligned(out, readings.data(), qsizetype(readings.size() * sizeof(uint16_t)));
    header.fileSize = uint32_t(out.size());
    std::copy_n(reinterpret_cast<const char *>(&header), sizeof header, out.begin());

    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size() && file.commit();
}
}

// The JSON object of a file, from its first brace on; nothing (and a word why) when there is none.
std::optional<QJsonObject> readObject(const char *path)
{
    QFile input(QString::fromLocal8Bit(path));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return std::nullopt;
    }
    QByteArray content = input.readAll();
    content.remove(0, std::max<qsizetype>(content.indexOf('{'), 0));
    while (!content.isEmpty() && content.back() != '}')
        content.chop(1);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (!document.isObject()) {
        std::fprintf(stderr, "%s: %s\n", path, qPrintable(error.errorString()));
        return std::nullopt;
    }
    return document.object();
}

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WORDS.json NEUTRAL-TONES.js OUTPUT\n", argv[0]);
        return 2;
    }
    const std::optional<QJsonObject> wordList = readObject(argv[1]);
    const std::optional<QJsonObject> neutralList = wordList ? readObject(argv[2]) : std::nullopt;
    if (!neutralList)
        return 1;
    Compiler compiler;
    const QJsonObject &words = *wordList;
    int refused = 0;
    for (auto it = words.begin(); it != words.end(); ++it) {
        const QJsonArray fields = it.value().toArray();
        const double frequency = fields.at(1).toDouble();
        if (!compiler.add(it.key(), fields.at(0).toString(), frequency))
            ++refused;
    }
    // A character the list leaves out gets the weight of 一, among the commonest characters as
    // 不 is: weighed as rare, it would be swallowed by any word around it.
    const double common = words.value(u"一"_qs).toArray().at(1).toDouble(1e-7);
    for (const auto &[character, pinyin] : AddedCharacters) {
        if (!words.contains(QString::fromUtf16(character)))
            compiler.add(QString::fromUtf16(character), QString::fromUtf8(pinyin), common);
    }
    int neutral = 0;
    for (auto it = neutralList->begin(); it != neutralList->end(); ++it) {
        const QJsonObject readings = it.value().toObject();
        if (readings.size() == 1)
            neutral += compiler.takeNeutralTones(it.key(), readings.begin().key());
    }
    if (!compiler.write(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("Mandarin dictionary: %d words, %d left out, %d with neutral tones taken from the second list\n",
                compiler.count(), refused, neutral);
    return 0;
}
