#include "PageFollow.h"
#include "TextCodec.h"
#include "TextStart.h"
#include <algorithm>

PageFollower::PageFollower(Novel novel, CutPage cut) : m_novel(std::move(novel)), m_cut(std::move(cut)) {}

void PageFollower::setShownPage(BytePos end, const QString &text)
{
    SetPage(end, text);
    m_last.reset();
}

// The byte offset of each character is counted once per page; a surrogate pair's bytes count
// at its second half, so that a mark never splits the pair.
void PageFollower::SetPage(BytePos end, const QString &text)
{
    m_end = end;
    m_start = TextStartBefore(m_novel, end, text);
    const DecodedText read = TextReadAt(m_novel, m_start, text);
    const auto bytes = [&](qsizetype first, qsizetype units) {
        return TextCodec::ByteLength(m_novel.encoding, read, first, first + units);
    };
    m_text = text;
    m_offsets.resize(text.size() + 1);
    m_offsets[0] = 0;
    for (int i = 0; i < text.size(); ++i) {
        const bool pairStart = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (pairStart) {
            m_offsets[i + 1] = m_offsets[i];
            m_offsets[i + 2] = m_offsets[i] + bytes(i, 2);
            ++i;
        } else {
            m_offsets[i + 1] = m_offsets[i] + bytes(i, 1);
        }
    }
}

bool PageFollower::ShowFrom(BytePos start)
{
    BytePos position = start;
    ++m_cuts;
    const QString page = m_cut(position);
    if (page.isEmpty())
        return false; // nothing to show there: the page shown stays
    SetPage(position, page);
    return true;
}

std::optional<WordPlace> PageFollower::Follow(const HeardWord &word)
{
    const bool readingOn = m_last && (word.pieceStart == m_last->pieceStart || word.pieceStart == m_last->pieceEnd);
    m_last = word;
    if (!OnPage(word.start)) {
        const bool turnOn = readingOn && hasPage() && word.start >= m_end;
        if (!turnOn && !ShowFrom(word.pieceStart))
            return std::nullopt;
        while (word.start >= m_end && ShowFrom(m_end)) {
        }
    }
    return MarkOf(word.start, word.length);
}

std::optional<WordPlace> PageFollower::MarkOf(BytePos start, qint64 length) const
{
    if (!OnPage(start))
        return std::nullopt;
    const qint64 from = start - m_start;
    const qint64 to = std::min(from + std::max<qint64>(length, 0), m_offsets.back());
    // A start inside a character (or a surrogate pair) marks all of it.
    int first = int(std::upper_bound(m_offsets.begin(), m_offsets.end(), from) - m_offsets.begin()) - 1;
    while (first > 0 && m_offsets[first - 1] == m_offsets[first])
        --first;
    const int last = int(std::lower_bound(m_offsets.begin() + first, m_offsets.end(), to) - m_offsets.begin());
    return WordPlace{first, std::max(last - first, 0)};
}
