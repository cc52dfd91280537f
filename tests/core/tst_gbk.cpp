#include "TestRegistry.h"
#include "Gbk.h"
#include "TextDecoder.h"
#include <QRandomGenerator>
#include <QTest>

// Conversion between GBK bytes and text, and converting a stream in slices.
class TestGbk : public QObject
{
    Q_OBJECT

private slots:
    void toUnicodeRules_data();
    void toUnicodeRules();
    void invalidBytesDoNotConvertBack_data();
    void invalidBytesDoNotConvertBack();
    void fromUnicodeRules_data();
    void fromUnicodeRules();
    void slicedStreamEqualsWhole();
    void offsetsNameEachCharactersFirstByte();
};

void TestGbk::toUnicodeRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Hello, 1") << QStringLiteral("Hello, 1");
    QTest::newRow("chinese") << QByteArray("\xce\xf7\xd3\xce\xbc\xc7") << QStringLiteral("西游记");
    QTest::newRow("mixed") << QByteArray("a\xb0\xa1 b") << QStringLiteral("a啊 b");
    QTest::newRow("zero byte") << QByteArray("a\0b", 3) << QStringLiteral("a") + QChar(0) + "b";
    QTest::newRow("lead byte ends buffer")
        << QByteArray("a\xb0\xa1\xb0") << QStringLiteral("a啊") + QChar(0);
    QTest::newRow("only a lead byte") << QByteArray("\x81") << QString(QChar(0));
    QTest::newRow("lead byte before zero")
        << QByteArray("\xb0\0", 2) << QString(QChar(0xFFFD)) + QChar(0);
    QTest::newRow("euro sign") << QByteArray("\x80") << QString(QChar(0x20AC));
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestGbk::toUnicodeRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Gbk::toUnicode(bytes), text);
}

void TestGbk::invalidBytesDoNotConvertBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lead byte then space") << QByteArray("\x81 x");
    QTest::newRow("lead byte then DEL") << QByteArray("\xa1\x7f");
    QTest::newRow("lead byte then control") << QByteArray("\xd6\x0a");
}

void TestGbk::invalidBytesDoNotConvertBack()
{
    QFETCH(QByteArray, bytes);
    const QString text = Gbk::toUnicode(bytes);
    QVERIFY(!text.isEmpty());
    QVERIFY(Gbk::fromUnicode(text) != bytes);
    // The byte after the invalid lead byte is still read as itself.
    QCOMPARE(text.back(), QChar(uchar(bytes.back())));
}

void TestGbk::fromUnicodeRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("mixed") << QStringLiteral("第1回 灵根") << QByteArray("\xb5\xda" "1\xbb\xd8 \xc1\xe9\xb8\xf9");
    QTest::newRow("NUL kept") << QString(QChar(0)) << QByteArray(1, '\0');
    QTest::newRow("outside the code page")
        << QStringLiteral("a\U0001F600b\u0E01") << QByteArray("a?b?");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestGbk::fromUnicodeRules()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Gbk::fromUnicode(text), bytes);
    QCOMPARE(Gbk::byteLength(text), qint64(bytes.size()));
}

void TestGbk::slicedStreamEqualsWhole()
{
    QRandomGenerator random(2024);
    for (int round = 0; round < 50; ++round) {
        QByteArray bytes(4000, Qt::Uninitialized);
        for (char &byte : bytes)
            byte = char(random.bounded(round % 2 ? 256 : 8) + (round % 2 ? 0 : 0xB0));
        const QString whole = Gbk::toUnicode(bytes);
        TextDecoder decoder(TextEncoding::Gbk, TextDecoder::CutCharacter::AsZero);
        QString sliced;
        for (qsizetype at = 0; at < bytes.size();) {
            const qsizetype size = std::min<qsizetype>(random.bounded(1, 9), bytes.size() - at);
            decoder.decode(bytes.constData() + at, size, false, sliced);
            at += size;
        }
        decoder.decode(nullptr, 0, true, sliced);
        QCOMPARE(sliced, whole);
    }
}

void TestGbk::offsetsNameEachCharactersFirstByte()
{
    const QByteArray bytes("a\xb0\xa1" "b\x81 \xb0");
    TextDecoder decoder(TextEncoding::Gbk, TextDecoder::CutCharacter::AsZero);
    QString text;
    std::vector<qint64> offsets;
    decoder.decode(bytes.constData(), 2, false, text, &offsets);
    decoder.decode(bytes.constData() + 2, bytes.size() - 2, false, text, &offsets);
    decoder.decode(nullptr, 0, true, text, &offsets);
    QCOMPARE(text, QStringLiteral("a啊b") + QChar(0xFFFD) + " " + QChar(0));
    QCOMPARE(offsets, (std::vector<qint64>{0, 1, 3, 4, 5, 6}));
}

TARROWIN_APPLESS_TEST_MAIN(TestGbk)
#include "tst_gbk.moc"
