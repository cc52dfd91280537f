#pragma once
#include "TextCodec.h"
#include <QRandomGenerator>
#include <QTest>

// A novel in an encoding that holds U+FFFD as a character of its own (three bytes in UTF-8, two in
// UTF-16, four in GB18030) beside bytes that do not convert and give U+FFFD as well: in UTF-8 and
// GB18030 bytes that are each an unreadable character, in UTF-16 (with `loneSurrogates`)
// surrogates without their other half. Both come alone and in runs, beside break characters and
// far from them, so that pieces, pages and chunks of any length end next to them.
inline QByteArray ReplacementNovel(TextEncoding encoding, qsizetype size, quint32 seed, bool loneSurrogates = true)
{
    const QString words = QStringLiteral("第一章天地玄黄宇宙洪荒，。！？ \n\r：abc𠀀");
    QList<QByteArray> unconverted = encoding == TextEncoding::Utf8 ? QList<QByteArray>{"\xFF", "\xBD", "\xC0"}
                                                                   : QList<QByteArray>{"\xFF", "\x80"};
    if (CodeUnitSize(encoding) == 2)
        unconverted = loneSurrogates ? QList<QByteArray>{QByteArray::fromHex(
                          encoding == TextEncoding::Utf16Le ? "00dc40d8" : "dc00d840")}
                                     : QList<QByteArray>();
    QRandomGenerator random(seed);
    QByteArray bytes;
    while (bytes.size() < size) {
        const int kind = random.bounded(10);
        for (int run = random.bounded(1, 4); run > 0; --run) {
            if (kind < 3)
                bytes += TextCodec::Encode(encoding, QString(QChar(0xFFFD)));
            else if (kind < 5 && !unconverted.isEmpty())
                bytes += unconverted.at(random.bounded(unconverted.size()));
            else {
                // The last two units are a surrogate pair, taken whole.
                const qsizetype at = random.bounded(words.size() - 1);
                bytes += TextCodec::Encode(encoding, words.mid(at, words.at(at).isHighSurrogate() ? 2 : 1));
            }
        }
    }
    // A line end last: a range read to the end of the file gives back a character cut short there.
    return bytes + TextCodec::Encode(encoding, QStringLiteral("\n"));
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
