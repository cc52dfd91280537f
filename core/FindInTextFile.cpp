#include "FindInTextFile.h"
#include "CharacterRules.h"
#include "CharacterStart.h"
#include "EncodingDetection.h"
#include "TextCodec.h"
#include "TextDecoder.h"
#include "TextFilePresence.h"
#include <QFile>
#include <QStringMatcher>
#include <algorithm>
#include <cstring>

namespace {

// Bytes kept before each chunk, so that whether a match starts a character can mostly be told
// from the bytes at hand.
constexpr qint64 kContextBytes = 64;

// The needle's bytes, when a byte search finds exactly where the text search would: the needle
// comes back unchanged from its bytes, and holds no character that stands for something other
// than itself in the file's text (U+FFFD for a byte that does not convert, U+0000 for a zero
// byte) or whose bytes may be those of the byte-order mark, which is no text (U+FEFF).
std::optional<QByteArray> SearchableBytes(TextEncoding encoding, const QString &needle)
{
    // Big5 holds characters under two byte forms (its duplicated characters read as one code
    // point), so the file may hold the needle in bytes other than its own.
    if (encoding == TextEncoding::Big5)
        return std::nullopt;
    for (const QChar c : needle) {
        if (c == QChar(0xFFFD) || c == QChar(0) || c == QChar(0xFEFF))
            return std::nullopt;
    }
    const QByteArray bytes = TextCodec::Encode(encoding, needle);
    if (bytes.isEmpty() || TextCodec::Decode(encoding, bytes) != needle)
        return std::nullopt;
    return bytes;
}

// True when file offset `offset`, at index `at` of `buffer` (which begins at file offset
// `first`), starts a character; decided from the bytes before it, read from the file when the
// buffer holds too few of them.
bool StartsCharacter(const Novel &novel, const QByteArray &buffer, qint64 at, qint64 first)
{
    const std::optional<qint64> skip = CharacterRules::BytesToCharacterStart(
        novel.encoding, buffer.constData(), buffer.size(), at, first);
    return skip ? *skip == 0 : IsCharacterStart(novel, BytePos(first + at + 1));
}

// The search in the file's bytes: the first place where the needle's bytes begin a character.
std::optional<BytePos> FindBytes(const Novel &novel, QFile &file, const QByteArray &needle)
{
    QByteArray buffer;
    qint64 first = 0; // file offset of buffer[0]
    QByteArray chunk(kFindChunkBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0)
            return std::nullopt;
        buffer.append(chunk.constData(), read);
        const char *data = buffer.constData();
        for (qint64 at = 0; at + needle.size() <= buffer.size();) {
            const void *hit = memmem(data + at, size_t(buffer.size() - at), needle.constData(),
                                     size_t(needle.size()));
            if (!hit)
                break;
            at = static_cast<const char *>(hit) - data;
            if (StartsCharacter(novel, buffer, at, first))
                return BytePos(first + at + 1);
            ++at;
        }
        if (read == 0)
            return std::nullopt;
        // A match may begin in the last bytes and end in the next chunk.
        const qint64 keep = std::min<qint64>(buffer.size(), needle.size() - 1 + kContextBytes);
        first += buffer.size() - keep;
        buffer.remove(0, buffer.size() - keep);
    }
}

// The search in the file's text, for a needle whose bytes cannot stand for it. The text begins
// after the byte-order mark.
std::optional<BytePos> FindText(const Novel &novel, QFile &file, const QString &needle)
{
    const int mark = ByteOrderMarkLength(novel.encoding, file.peek(3));
    if (!file.seek(mark))
        return std::nullopt;
    const QStringMatcher matcher(needle);
    TextDecoder decoder(novel.encoding);
    QByteArray chunk(kFindChunkBytes, Qt::Uninitialized);
    // The text not yet searched through, and the file offset of each of its characters.
    QString text;
    std::vector<qint64> offsets;
    for (bool last = false; !last;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0)
            return std::nullopt;
        last = read == 0;
        decoder.decode(chunk.constData(), read, last, text, &offsets);
        const qsizetype match = matcher.indexIn(text);
        if (match >= 0)
            return BytePos(mark + offsets[match] + 1);
        // The end of the text may begin a match that the next chunk completes.
        const qsizetype keep = std::min(text.size(), needle.size() - 1);
        text.remove(0, text.size() - keep);
        offsets.erase(offsets.begin(), offsets.end() - keep);
    }
    return std::nullopt;
}

// Opens the novel and runs `search` on it; an empty needle is found at the start of any file
// that holds text.
template <typename Search>
std::optional<BytePos> SearchNovel(const Novel &novel, const QString &needle, Search search)
{
    if (PresentFileSize(novel.path) == 0)
        return std::nullopt;
    QFile file(novel.path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (needle.isEmpty())
        return BytePos(1);
    return search(file);
}

}

std::optional<BytePos> FindInTextFile(const Novel &novel, const QString &needle)
{
    return SearchNovel(novel, needle, [&](QFile &file) {
        if (const std::optional<QByteArray> bytes = SearchableBytes(novel.encoding, needle))
            return FindBytes(novel, file, *bytes);
        return FindText(novel, file, needle);
    });
}

std::optional<BytePos> FindTextInTextFile(const Novel &novel, const QString &needle)
{
    return SearchNovel(novel, needle, [&](QFile &file) { return FindText(novel, file, needle); });
}
