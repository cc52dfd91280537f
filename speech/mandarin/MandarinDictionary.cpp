#include "MandarinDictionary.h"
#include <QCoreApplication>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>

std::unique_ptr<MandarinDictionary> MandarinDictionary::open(const QString &path)
{
    std::unique_ptr<MandarinDictionary> dictionary(new MandarinDictionary);
    dictionary->m_file.setFileName(path);
    if (!dictionary->m_file.open(QIODevice::ReadOnly))
        return nullptr;
    dictionary->m_size = dictionary->m_file.size();
    if (dictionary->m_size < qint64(sizeof(DictionaryFormat::Header)))
        return nullptr;
    dictionary->m_data = dictionary->m_file.map(0, dictionary->m_size);
    if (!dictionary->m_data)
        return nullptr;
    dictionary->m_header = reinterpret_cast<const DictionaryFormat::Header *>(dictionary->m_data);
    if (!dictionary->check())
        return nullptr;
    dictionary->indexFirstUnits();
    return dictionary;
}

// Every table lies inside the file and every entry's text and reading inside its table, so
// that a damaged or foreign file is refused instead of read past its end.
bool MandarinDictionary::check() const
{
    const DictionaryFormat::Header &h = *m_header;
    if (std::memcmp(h.magic, DictionaryFormat::Magic, sizeof h.magic) != 0 || h.fileSize != m_size)
        return false;
    const auto fits = [this](uint64_t offset, uint64_t bytes) {
        return offset % 4 == 0 && offset + bytes <= uint64_t(m_size);
    };
    if (!fits(h.baseOffset, uint64_t(h.baseCount) * DictionaryFormat::BaseBytes)
        || !fits(h.entryOffset, uint64_t(h.entryCount) * sizeof(DictionaryFormat::Entry))
        || h.textOffset > h.readingOffset || h.readingOffset > m_size || h.textOffset % 4
        || h.readingOffset % 4)
        return false;
    const uint64_t textUnits = (h.readingOffset - h.textOffset) / 2;
    const uint64_t readingUnits = (m_size - h.readingOffset) / 2;
    for (uint32_t i = 0; i < h.entryCount; ++i) {
        const DictionaryFormat::Entry &e = entries()[i];
        if (e.length == 0 || uint64_t(e.text) + e.length > textUnits
            || uint64_t(e.reading) + e.syllables > readingUnits)
            return false;
    }
    return true;
}

void MandarinDictionary::indexFirstUnits()
{
    m_firstUnit.assign(0x10001, 0);
    const DictionaryFormat::Entry *e = entries();
    uint32_t next = 0;
    for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        m_firstUnit[unit] = next;
        while (next < m_header->entryCount && text(e[next])[0] == unit)
            ++next;
    }
    m_firstUnit[0x10000] = m_header->entryCount;
}

const DictionaryFormat::Entry *MandarinDictionary::entries() const
{
    return reinterpret_cast<const DictionaryFormat::Entry *>(m_data + m_header->entryOffset);
}

const char16_t *MandarinDictionary::text(const DictionaryFormat::Entry &entry) const
{
    return reinterpret_cast<const char16_t *>(m_data + m_header->textOffset) + entry.text;
}

QString MandarinDictionary::sharedPath()
{
    const QString fromEnvironment = qEnvironmentVariable("TARROWIN_MANDARIN_DICT");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString name = QStringLiteral("mandarin.dict");
    if (QCoreApplication::instance()) {
        const QString folder = QCoreApplication::applicationDirPath();
        for (const QString &candidate : {folder + u'/' + name, folder + u"/../share/tarrowin/"_qs + name}) {
            if (QFile::exists(candidate))
                return candidate;
        }
    }
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, u"tarrowin/"_qs + name);
}

const MandarinDictionary *MandarinDictionary::shared()
{
    static const std::unique_ptr<MandarinDictionary> dictionary = open(sharedPath());
    return dictionary.get();
}

MandarinDictionary::Range MandarinDictionary::narrow(Range range, char16_t unit) const
{
    const DictionaryFormat::Entry *e = entries();
    const int depth = range.depth;
    // Within the range, the entry exactly `depth` long comes first, then the rest ordered by
    // their unit at `depth`.
    const auto unitAt = [&](uint32_t i) -> int { return e[i].length > depth ? text(e[i])[depth] : -1; };
    uint32_t lo = range.first, hi = range.last;
    while (lo < hi) {
        const uint32_t mid = lo + (hi - lo) / 2;
        if (unitAt(mid) < int(unit))
            lo = mid + 1;
        else
            hi = mid;
    }
    uint32_t end = range.last, from = lo;
    while (from < end) {
        const uint32_t mid = from + (end - from) / 2;
        if (unitAt(mid) <= int(unit))
            from = mid + 1;
        else
            end = mid;
    }
    return {lo, from, depth + 1};
}

int MandarinDictionary::exact(Range range) const
{
    if (range.isEmpty() || entries()[range.first].length != range.depth)
        return -1;
    return int(range.first);
}

int MandarinDictionary::find(QStringView word) const
{
    if (word.isEmpty())
        return -1;
    Range range = startingWith(word[0].unicode());
    for (QChar c : word.mid(1)) {
        range = narrow(range, c.unicode());
        if (range.isEmpty())
            return -1;
    }
    return exact(range);
}

Syllables MandarinDictionary::reading(int entry) const
{
    const DictionaryFormat::Entry &e = entries()[entry];
    const auto *codes = reinterpret_cast<const uint16_t *>(m_data + m_header->readingOffset) + e.reading;
    Syllables result;
    result.reserve(e.syllables);
    for (uint16_t i = 0; i < e.syllables; ++i)
        result.append(Syllable::fromCode(codes[i]));
    return result;
}

QLatin1String MandarinDictionary::baseText(uint16_t base) const
{
    if (base >= m_header->baseCount)
        return {};
    const char *letters = reinterpret_cast<const char *>(m_data + m_header->baseOffset)
        + size_t(base) * DictionaryFormat::BaseBytes;
    return QLatin1String(letters, qsizetype(strnlen(letters, DictionaryFormat::BaseBytes)));
}

int MandarinDictionary::baseIndex(QLatin1String text) const
{
    for (uint32_t i = 0; i < m_header->baseCount; ++i) {
        if (baseText(uint16_t(i)) == text)
            return int(i);
    }
    return -1;
}
