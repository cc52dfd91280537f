#include "mdlFileBinText.h"
#include "CharacterRules.h"
#include "CharacterStart.h"
#include "EncodingDetection.h"
#include "OpenNovel.h"
#include "TextCodec.h"
#include "ReplaceFile.h"
#include "TextFilePresence.h"
#include "TextPiece.h"
#include <QFile>
#include <algorithm>

namespace mdlFileBinText {

namespace {

// Bytes read before a piece so that where its first character starts is mostly decided without
// a second read. In UTF-8 and UTF-16 the bytes of the one character that may cover the start
// always decide; in the other encodings a run of bytes that may as well lead a character as end
// one can be long.
qint64 LookBehind(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        return LongestCharacter(encoding) - 1;
    default:
        return 2048;
    }
}

// How many of `bytes` (read from file offset `first`; the piece starts at index `at`) to skip so
// that the piece starts on a character.
qint64 LeadingSkip(const Novel &novel, const QByteArray &bytes, qint64 first, qint64 at)
{
    const int mark = first == 0 ? ByteOrderMarkLength(novel.encoding, bytes) : 0;
    if (at < mark)
        return mark - at;
    const std::optional<qint64> skip = CharacterRules::BytesToCharacterStart(
        novel.encoding, bytes.constData(), bytes.size(), at, first);
    return skip ? *skip : BytesToCharacterStart(novel, BytePos(first + at + 1));
}

}

std::optional<QString> ReadTextFile(const Novel &novel)
{
    if (PresentFileSize(novel.path) == 0)
        return QString();
    QFile file(novel.path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const int mark = ByteOrderMarkLength(novel.encoding, bytes);
    return TextCodec::Decode(novel.encoding, bytes.constData() + mark, bytes.size() - mark);
}

std::optional<QString> ReadTextPiece(const Novel &novel, BytePos &position, qint64 length)
{
    OpenNovel file(novel);
    return ReadTextPiece(file, position, length);
}

std::optional<QString> ReadTextPiece(OpenNovel &file, BytePos &position, qint64 length)
{
    std::optional<DecodedText> piece = ReadDecodedPiece(file, position, length);
    if (!piece)
        return std::nullopt;
    return std::move(piece->text);
}

std::optional<DecodedText> ReadDecodedPiece(const Novel &novel, BytePos &position, qint64 length)
{
    OpenNovel file(novel);
    return ReadDecodedPiece(file, position, length);
}

std::optional<DecodedText> ReadDecodedPiece(OpenNovel &file, BytePos &position, qint64 length)
{
    const Novel &novel = file.novel();
    const qint64 fileSize = file.presentSize();
    if (fileSize == 0)
        return DecodedText();
    if (position.value() < 1 || length < 1 || !file.isOpen())
        return std::nullopt;
    const qint64 start = position.value() - 1;
    PieceBytes bytes;
    if (start < fileSize) {
        const qint64 first = std::max<qint64>(0, start - LookBehind(novel.encoding));
        const qint64 behind = start - first;
        bytes.held.resize(behind + std::min(length, fileSize - start));
        const qint64 read = file.ReadAt(first, bytes.held.data(), bytes.held.size());
        if (read < 0)
            return std::nullopt;
        bytes.held.truncate(read);
        const qint64 held = std::max<qint64>(0, read - behind);
        const qint64 skip = held > 0 ? LeadingSkip(novel, bytes.held, first, behind) : 0;
        bytes.held.remove(0, std::min(read, behind + skip));
        bytes.zeros = length - held;
    } else {
        bytes.zeros = length;
    }
    PieceText piece = CutPiece(novel.encoding, std::move(bytes));
    position -= piece.givenBack;
    return std::move(piece.decoded);
}

bool HoldsText(const Novel &novel)
{
    constexpr qint64 kChunk = 64 * 1024;
    OpenNovel file(novel);
    const qint64 size = file.presentSize();
    for (BytePos at(1); at.value() <= size;) {
        const BytePos start = at;
        const std::optional<QString> piece = ReadTextPiece(file, at, kChunk);
        if (!piece)
            return false;
        for (const QChar c : *piece) {
            if (!c.isSpace() && c != QChar(0) && c != QChar(0xFEFF))
                return true;
        }
        at += kChunk;
        if (at <= start) // a piece that gave back everything: step over its first byte
            at = start + 1;
    }
    return false;
}

QByteArray PlaceBytes(const Novel &novel, ByteRange bytes, const QString &text)
{
    if (!bytes.isEmpty()) {
        OpenNovel file(novel);
        QByteArray held(bytes.length(), Qt::Uninitialized);
        const qint64 read = file.ReadAt(bytes.start.value() - 1, held.data(), held.size());
        if (read == held.size() && TextCodec::Decode(novel.encoding, held) == text)
            return held;
    }
    return TextCodec::Encode(novel.encoding, text);
}

bool WriteTextFile(const Novel &novel, const QString &text)
{
    return ReplaceFile(novel.path, TextCodec::Encode(novel.encoding, text));
}

}
