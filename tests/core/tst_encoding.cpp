#include "TestRegistry.h"
#include "CharacterRules.h"
#include "IcuConverter.h"
#include "TextCodec.h"
#include "TextDecoder.h"
#include <QRandomGenerator>
#include <QTest>

// The encoding layer: each encoding's runs of bytes as characters (where they start, what they
// decode to, how many bytes their text stands for), and text back to bytes.
class TestEncoding : public QObject
{
    Q_OBJECT

private slots:
    void decodeGivesEachCharacter_data() { characters(); }
    void decodeGivesEachCharacter();
    void byteLengthCountsTheBytesDecoded_data() { characters(); }
    void byteLengthCountsTheBytesDecoded();
    void characterStartsFromTheBytesBefore_data() { characters(); }
    void characterStartsFromTheBytesBefore();
    void characterStartsNeedEnoughBytesBefore();
    void characterStartsInRandomBytes_data();
    void characterStartsInRandomBytes();
    void validTextEncodesToItsBytes_data() { characters(); }
    void validTextEncodesToItsBytes();
    void slicedDecodingEqualsWholeWithOffsets_data() { characters(); }
    void slicedDecodingEqualsWholeWithOffsets();
    void encodeReplacesWhatTheEncodingCannotHold();
    void missingConvertersAreNamed();

private:
    static void characters();
};

namespace {

using Characters = QList<QByteArray>;

QByteArray joined(const Characters &characters)
{
    QByteArray bytes;
    for (const QByteArray &c : characters)
        bytes += c;
    return bytes;
}

}

void TestEncoding::characters()
{
    // Each row: the bytes as the characters the decoder reads, and the text they give.
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<Characters>("characters");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    const QString bad(QChar(0xFFFD));
    using E = TextEncoding;
    QTest::newRow("GBK") << E::Gbk << Characters{"\xCE\xF7", "a", "\xD3\xCE", "\r", "\n"}
                         << QStringLiteral("西a游\r\n") << true;
    // ICU's table gives the byte 0xFF a private-use character of its own.
    QTest::newRow("GBK byte 0xFF") << E::Gbk << Characters{"\xB5\xDA", "\xFF", "\xD2\xBB"}
                                   << QStringLiteral("第") + QChar(0xF8F5) + "一" << true;
    QTest::newRow("GBK lead byte before a space")
        << E::Gbk << Characters{"\xB5", " ", "\xD2\xBB"} << bad + " 一" << false;
    QTest::newRow("GBK four-byte GB18030 sequence")
        << E::Gbk << Characters{"\x95", "2", "\x82", "6", "\xB5\xDA"} << bad + "2" + bad + "6第" << false;
    QTest::newRow("GBK half a character at the end")
        << E::Gbk << Characters{"\xB5\xDA", "\xD2"} << "第" + bad << false;
    QTest::newRow("GB18030") << E::Gb18030 << Characters{"\x95\x32\x82\x36", "\xA2\xE3", "7", "\xB5\xDA"}
                             << QStringLiteral("𠀀€7第") << true;
    QTest::newRow("GB18030 broken four-byte sequence")
        << E::Gb18030 << Characters{"\x95", "2", "A", "\x95", "2", "\x82\x41"} << bad + "2A" + bad + "2侫" << false;
    QTest::newRow("Big5") << E::Big5 << Characters{"\xA6\xE8", "\xB9\x43", "@", "\xB2\xC4", "\xA4\x40"}
                          << QStringLiteral("西遊@第一") << true;
    QTest::newRow("UTF-8") << E::Utf8 << Characters{"\xE8\xA5\xBF", "a", "\xF0\xA0\x80\x80", "\xC3\xA9"}
                           << QStringLiteral("西a𠀀é") << true;
    QTest::newRow("UTF-8 invalid bytes")
        << E::Utf8 << Characters{"\xE7\xAC\xAC", "\xFF", "\x80", "\xE4\xB8", "A", "\xC0", "\xAF"}
        << "第" + bad + bad + bad + bad + "A" + bad + bad << false;
    QTest::newRow("UTF-8 encoded surrogate")
        << E::Utf8 << Characters{"\xED", "\xA0", "\x80", "b"} << bad + bad + bad + "b" << false;
    QTest::newRow("UTF-8 half a character at the end")
        << E::Utf8 << Characters{"a", "\xE4\xB8"} << "a" + bad + bad << false;
    QTest::newRow("UTF-16LE") << E::Utf16Le << Characters{"\x7F\x89", QByteArray("\x40\xD8\x00\xDC", 4), QByteArray("a\0", 2)}
                              << QStringLiteral("西𠀀a") << true;
    QTest::newRow("UTF-16LE lone surrogate and odd last byte")
        << E::Utf16Le << Characters{"\x40\xD8", QByteArray("a\0", 2), "\x7F"} << bad + bad + "a" + bad << false;
    QTest::newRow("UTF-16BE") << E::Utf16Be << Characters{"\x89\x7F", QByteArray("\xD8\x40\xDC\x00", 4), QByteArray("\0\n", 2)}
                              << QStringLiteral("西𠀀\n") << true;
    // A U+FFFD of the file is a character of several bytes; beside it bytes that do not convert
    // give U+FFFD as well, one byte each.
    QTest::newRow("UTF-8 U+FFFD of its own")
        << E::Utf8 << Characters{"\xEF\xBF\xBD", "\xFF", "a", "\xBD", "\xEF\xBF\xBD", "\xEF\xBF", "b"}
        << bad + bad + "a" + bad + bad + bad + bad + "b" << false;
    QTest::newRow("UTF-16LE U+FFFD of its own")
        << E::Utf16Le << Characters{"\xFD\xFF", "\x40\xD8", QByteArray("a\0", 2), "\xFD\xFF", "\x7F"}
        << bad + bad + bad + "a" + bad + bad << false;
    QTest::newRow("UTF-16BE U+FFFD of its own")
        << E::Utf16Be << Characters{QByteArray("\xDC\0", 2), "\xFF\xFD", QByteArray("\0a", 2)} << bad + bad + bad + "a" << false;
    QTest::newRow("GB18030 U+FFFD of its own")
        << E::Gb18030 << Characters{"\x84\x31\xA4\x37", "\xFF", "\x84\x31\xA4\x37", "\x80", "A"}
        << bad + bad + bad + bad + "A" << false;
    QTest::newRow("zero bytes") << E::Utf8 << Characters{QByteArray(1, '\0'), "a", QByteArray(1, '\0')}
                                << QString(QChar(0)) + "a" + QChar(0) << true;
}

void TestEncoding::decodeGivesEachCharacter()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(Characters, characters);
    QFETCH(QString, text);
    QCOMPARE(TextCodec::Decode(encoding, joined(characters)), text);
}

void TestEncoding::byteLengthCountsTheBytesDecoded()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(Characters, characters);
    const QByteArray bytes = joined(characters);
    const DecodedText decoded = TextCodec::DecodeMarked(encoding, bytes.constData(), bytes.size());
    QCOMPARE(TextCodec::ByteLength(encoding, decoded, 0, decoded.text.size()), qint64(bytes.size()));
    // Each character on its own, from its first unit to the next character's.
    qsizetype unit = 0;
    for (const QByteArray &c : characters) {
        const qsizetype units = TextCodec::Decode(encoding, c).size();
        QCOMPARE(TextCodec::ByteLength(encoding, decoded, unit, unit + units), qint64(c.size()));
        unit += units;
    }
}

void TestEncoding::characterStartsFromTheBytesBefore()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(Characters, characters);
    const QByteArray bytes = joined(characters);
    qint64 start = 0;
    for (const QByteArray &c : characters) {
        for (qint64 at = start; at < start + c.size(); ++at) {
            const auto skip = CharacterRules::BytesToCharacterStart(encoding, bytes.constData(), bytes.size(), at, 0);
            QVERIFY2(skip.has_value(), qPrintable(QString::number(at)));
            QCOMPARE(*skip, at == start ? 0 : start + c.size() - at);
        }
        start += c.size();
    }
    QCOMPARE(CharacterRules::BytesToCharacterStart(encoding, bytes.constData(), bytes.size(), bytes.size(), 0),
             std::optional<qint64>(0));
}

void TestEncoding::characterStartsNeedEnoughBytesBefore()
{
    // Far from the start of the file, two bytes of Chinese text do not show where characters
    // start in the double-byte encodings; a line end before them does. In UTF-16 the file
    // offset decides; in UTF-8 the bytes themselves.
    const char *gbk = "\xB5\xDA\xD2\xBB";
    QCOMPARE(CharacterRules::BytesToCharacterStart(TextEncoding::Gbk, gbk, 4, 2, 100), std::nullopt);
    QCOMPARE(CharacterRules::BytesToCharacterStart(TextEncoding::Gbk, "\n\xB5\xDA\xD2", 4, 2, 100),
             std::optional<qint64>(1));
    QCOMPARE(CharacterRules::BytesToCharacterStart(TextEncoding::Utf16Le, "\x7F\x89\x7F\x89", 4, 2, 101),
             std::optional<qint64>(1));
    QCOMPARE(CharacterRules::BytesToCharacterStart(TextEncoding::Utf8, "\xB8\x80\xE4\xB8\x80", 5, 4, 100),
             std::optional<qint64>(1));
}

void TestEncoding::characterStartsInRandomBytes_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<quint32>("seed");
    for (const TextEncoding encoding : {TextEncoding::Gbk, TextEncoding::Big5, TextEncoding::Gb18030})
        for (const quint32 seed : {1u, 2u, 3u})
            QTest::newRow(qPrintable(QStringLiteral("%1, seed %2").arg(EncodingName(encoding)).arg(seed)))
                << encoding << seed;
}

void TestEncoding::characterStartsInRandomBytes()
{
    // Bytes mostly of the double-byte ranges, with the bytes that only end a character, only
    // lead one, or stand alone mixed in. Walking them from the first byte tells where each
    // character starts; the bytes before a place, from anywhere before it, must tell the same or
    // say that they are too few.
    QFETCH(TextEncoding, encoding);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    QByteArray bytes;
    const uchar rare[] = {0x0A, 0x20, 0x30, 0x39, 0x40, 0x7E, 0x80, 0x81, 0xA0, 0xA1, 0xFE, 0xFF};
    for (int i = 0; i < 3000; ++i)
        bytes += char(random.bounded(8) == 0 ? rare[random.bounded(int(sizeof rare))] : 0x81 + random.bounded(0x7E));
    std::vector<qint64> next(bytes.size() + 1, bytes.size()); // the first character start at or after each index
    for (qint64 i = 0; i < bytes.size();) {
        const int length = CharacterRules::CharacterLength(encoding, bytes.constData() + i, bytes.size() - i);
        const qint64 end = length == 0 ? bytes.size() : i + length;
        for (qint64 j = i; j <= end; ++j)
            next[j] = j == i ? i : end;
        i = end;
    }
    int decided = 0;
    for (qint64 at = 0; at <= bytes.size(); at += 1 + random.bounded(3)) {
        for (const qint64 first : {qint64(0), at / 2, std::max<qint64>(at - 5, 0)}) {
            const auto skip = CharacterRules::BytesToCharacterStart(
                encoding, bytes.constData() + first, bytes.size() - first, at - first, first);
            if (first == 0)
                QVERIFY(skip.has_value());
            if (!skip)
                continue;
            QCOMPARE(at + *skip, next[at]);
            ++decided;
        }
    }
    QVERIFY(decided > 1500);
}

void TestEncoding::validTextEncodesToItsBytes()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(Characters, characters);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    if (!valid)
        QSKIP("bytes that do not convert do not come back");
    QCOMPARE(TextCodec::Encode(encoding, text), joined(characters));
}

void TestEncoding::slicedDecodingEqualsWholeWithOffsets()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(Characters, characters);
    QFETCH(QString, text);
    const QByteArray bytes = joined(characters);
    for (qsizetype split = 0; split <= bytes.size(); ++split) {
        TextDecoder decoder(encoding);
        QString sliced;
        std::vector<qint64> offsets;
        std::vector<qsizetype> unconverted;
        decoder.decode(bytes.constData(), split, false, sliced, &offsets, &unconverted);
        decoder.decode(bytes.constData() + split, bytes.size() - split, true, sliced, &offsets, &unconverted);
        QCOMPARE(sliced, text);
        // Each character's units name the byte where it starts; a character whose bytes give a
        // U+FFFD each did not convert.
        std::vector<qint64> starts;
        std::vector<qsizetype> unconvertedUnits;
        qint64 start = 0;
        for (const QByteArray &c : characters) {
            const QString one = TextCodec::Decode(encoding, c);
            const bool bad = one.size() == c.size() && one.count(QChar(0xFFFD)) == one.size();
            for (qsizetype unit = 0; unit < one.size(); ++unit) {
                if (bad)
                    unconvertedUnits.push_back(qsizetype(starts.size()));
                starts.push_back(bad ? start + unit : start);
            }
            start += c.size();
        }
        QVERIFY2(offsets == starts, qPrintable(QString::number(split)));
        QVERIFY2(unconverted == unconvertedUnits, qPrintable(QString::number(split)));
    }
}

void TestEncoding::encodeReplacesWhatTheEncodingCannotHold()
{
    const QString text = QStringLiteral("a𠀀€") + QChar(0xD800);
    QCOMPARE(TextCodec::Encode(TextEncoding::Gbk, text), QByteArray("a?\x80?"));
    QCOMPARE(TextCodec::Encode(TextEncoding::Big5, QStringLiteral("a𠀀")), QByteArray("a?"));
    QCOMPARE(TextCodec::Encode(TextEncoding::Utf8, text), QByteArray("a\xF0\xA0\x80\x80\xE2\x82\xAC?"));
    QCOMPARE(TextCodec::Encode(TextEncoding::Utf16Be, QString(QChar(0xDC00))), QByteArray("\0?", 2));
}

// The start refuses to go on when a converter is missing: here ICU is complete, so only the
// converters that cannot exist are reported, and the message names each of them.
void TestEncoding::missingConvertersAreNamed()
{
    QCOMPARE(MissingIcuConverters(), QStringList());
    const QStringList missing = MissingConverters({QStringLiteral("gb18030"), QStringLiteral("no-such-codepage"),
                                                   QStringLiteral("UTF-8"), QStringLiteral("x-nothing-either")});
    QCOMPARE(missing, QStringList({QStringLiteral("no-such-codepage"), QStringLiteral("x-nothing-either")}));
    const QString one = IcuConvertersMissingMessage({QStringLiteral("windows-936")});
    QVERIFY2(one.contains(QLatin1String("converter windows-936 is not available")), qPrintable(one));
    const QString two = IcuConvertersMissingMessage(missing);
    QVERIFY2(two.contains(QLatin1String("converters no-such-codepage, x-nothing-either are not available")),
             qPrintable(two));
}

TARROWIN_APPLESS_TEST_MAIN(TestEncoding)
#include "tst_encoding.moc"
