#pragma once
#include "TextCodec.h"
#include <QRandomGenerator>
#include <QTest>

// A novel in an encoding that can hold U+FFFD as a character of its own (three bytes in UTF-8,
// two in UTF-16, four in GB18030), which decodes to the same U+FFFD as a byte that does not
// convert. Its text mixes both kinds, alone and in runs, beside break characters and far from
// them, so that pieces, pages and chunks of any length end next to them.

// The bytes of U+FFFD in the encoding, and some that do not convert there: in UTF-8 and GB18030
// bytes that are each an unreadable character of their own, in UTF-16 surrogates without their
// other half (two bytes that give two U+FFFD).
inline QByteArray OwnReplacement(TextEncoding encoding)
{
    return TextCodec::Encode(encoding, QString(QChar(0xFFFD)));
}

inline QList<QByteArray> UnconvertedBytes(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return {"\xFF", "\xBD", "\xC0"};
    // Surrogates without their other half.
    case TextEncoding::Utf16Le: return {QByteArray::fromHex("40d8"), QByteArray::fromHex("00dc")};
    case TextEncoding::Utf16Be: return {QByteArray::fromHex("d840"), QByteArray::fromHex("dc00")};
    case TextEncoding::Gb18030: return {"\xFF", "\x80"};
    default: return {};
    }
}

// With `loneSurrogates` false, a UTF-16 novel holds no bytes that do not convert.
inline QByteArray ReplacementNovel(TextEncoding encoding, qsizetype size, quint32 seed, bool loneSurrogates = true)
{
    const QString words = QStringLiteral("第一章天地玄黄宇宙洪荒，。！？ \n\r：abc𠀀");
    const QList<QByteArray> unconverted = CodeUnitSize(encoding) == 1 || loneSurrogates ? UnconvertedBytes(encoding)
                                                                                         : QList<QByteArray>();
    QRandomGenerator random(seed);
    QByteArray bytes;
    while (bytes.size() < size) {
        const int kind = random.bounded(10);
        const int run = random.bounded(1, 4);
        for (int i = 0; i < run; ++i) {
            if (kind < 3)
                bytes += OwnReplacement(encoding);
            else if (kind < 5 && !unconverted.isEmpty())
                bytes += unconverted.at(random.bounded(unconverted.size()));
            else {
                const qsizetype at = random.bounded(words.size() - 1);
                // The last two units are a surrogate pair, taken whole.
                const qsizetype units = words.at(at).isHighSurrogate() ? 2 : 1;
                bytes += TextCodec::Encode(encoding, words.mid(at, units));
            }
        }
    }
    return bytes;
}

// The encodings that hold U+FFFD, with and without a byte-order mark.
inline void ReplacementNovelRows()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("UTF-8") << TextEncoding::Utf8 << QByteArray();
    QTest::newRow("UTF-8 with a mark") << TextEncoding::Utf8 << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("UTF-16LE") << TextEncoding::Utf16Le << QByteArray();
    QTest::newRow("UTF-16LE with a mark") << TextEncoding::Utf16Le << QByteArray("\xFF\xFE");
    QTest::newRow("UTF-16BE with a mark") << TextEncoding::Utf16Be << QByteArray("\xFE\xFF");
    QTest::newRow("GB18030") << TextEncoding::Gb18030 << QByteArray();
}
