#include "TestRegistry.h"
#include "ReadAloudFixture.h"
#include "mdlIniFile.h"
#include <QCheckBox>
#include <QRandomGenerator>
#include <QTest>

// Settings files that no program wrote: random bytes, 10 MB, a line of 1 MB, zero bytes. Every
// read gives the default where nothing valid stands and the stored value where one does; the
// window loads over such a file, and its unload keeps every line it does not write.
class TestHostileSettings : public QObject
{
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void windowLoadsAndUnloads_data() { reads_data(); }
    void windowLoadsAndUnloads();
};

namespace {
const QString kSection = QStringLiteral("DANGQIAN");
constexpr qsizetype kMegabyte = 1 << 20;

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

QByteArray otherSections(qsizetype size)
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < size; ++i)
        bytes += "[S" + QByteArray::number(i) + "]\r\nKEY=" + QByteArray(60, 'x') + "\r\nCHANGDU=7\r\n";
    return bytes;
}

// The bytes of a literal, zero bytes included.
template <size_t N>
QByteArray bytesOf(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

void store(const QByteArray &bytes)
{
    QFile file(mdlIniFile::IniFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}
}

void TestHostileSettings::reads_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("pieceLength");   // what CHANGDU reads, 100 where nothing valid stands
    QTest::addColumn<QString>("fileName");  // what WENJIANMING reads, "-" where nothing stands

    const QByteArray random = randomBytes(kMegabyte, 20240607);
    QTest::newRow("1 MB of random bytes") << random << 100 << QStringLiteral("-");
    QTest::newRow("random bytes, then the section") << random + "\r\n[DANGQIAN]\r\nCHANGDU=250\r\n"
                                                    << 250 << QStringLiteral("-");
    QTest::newRow("10 MB of other sections, then ours")
        << otherSections(10 * kMegabyte) + "[DANGQIAN]\r\nCHANGDU=250\r\nWENJIANMING=a.txt\r\n"
        << 250 << QStringLiteral("a.txt");
    QTest::newRow("a value of 1 MB")
        << "[DANGQIAN]\r\nWENJIANMING=" + QByteArray(kMegabyte, 'n') + "\r\nCHANGDU=250\r\n"
        << 250 << QString(1999, QLatin1Char('n'));
    QTest::newRow("a line of 1 MB without an equals sign")
        << "[DANGQIAN]\r\n" + QByteArray(kMegabyte, 'n') + "\r\nCHANGDU=250\r\n" << 250 << QStringLiteral("-");
    QTest::newRow("a section name of 1 MB") << "[" + QByteArray(kMegabyte, 'D') + "]\r\nCHANGDU=250\r\n"
                                            << 100 << QStringLiteral("-");
    QTest::newRow("a number of 1 MB") << "[DANGQIAN]\r\nCHANGDU=" + QByteArray(kMegabyte, '9') + "\r\n"
                                      << 2147483647 << QStringLiteral("-");
    QTest::newRow("only zero bytes") << QByteArray(64 * 1024, '\0') << 100 << QStringLiteral("-");
    QTest::newRow("a zero byte in the section name") << bytesOf("[DANG\0QIAN]\r\nCHANGDU=250\r\n")
                                                     << 100 << QStringLiteral("-");
    QTest::newRow("a zero byte inside a value")
        << bytesOf("[DANGQIAN]\r\nCHANGDU=25\0" "0\r\nWENJIANMING=a\0b.txt\r\n") << 25 << QStringLiteral("a");
    QTest::newRow("lone lead bytes") << bytesOf("[DANGQIAN]\xb0\r\nCHANGDU=250\xb0\r\n\xb0")
                                     << 250 << QStringLiteral("-");
}

void TestHostileSettings::reads()
{
    QFETCH(QByteArray, content);
    QFETCH(int, pieceLength);
    QFETCH(QString, fileName);
    ReadAloudFixture f;
    store(content);
    QCOMPARE(mdlIniFile::ReadIniInteger(kSection, QStringLiteral("CHANGDU"), 100), pieceLength);
    QCOMPARE(mdlIniFile::ReadIniString(kSection, QStringLiteral("WENJIANMING"), QStringLiteral("-")), fileName);
    QCOMPARE(mdlIniFile::ReadIniInteger(kSection, QStringLiteral("FENDUAN"), -3), -3);
    QCOMPARE(mdlIniFile::ReadIniString(QStringLiteral("KANXIAOSHUO"), QStringLiteral("ZITI"), QStringLiteral("-")),
             QStringLiteral("-"));
}

void TestHostileSettings::windowLoadsAndUnloads()
{
    QFETCH(QByteArray, content);
    QFETCH(int, pieceLength);
    ReadAloudFixture f;
    store(content);
    frmTTS *w = f.load();
    QCOMPARE(w->txtFenChangDu->Text(), QString::number(pieceLength));
    w->txtFenChangDu->setText(QStringLiteral("321"));
    w->close();
    QCOMPARE(mdlIniFile::ReadIniInteger(kSection, QStringLiteral("CHANGDU"), 100), 321);
    // What the window does not write stays: the file begins as it began, if it ended in a line end.
    QFile file(mdlIniFile::IniFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    const qsizetype kept = content.lastIndexOf("[DANGQIAN]");
    QVERIFY(after.startsWith(content.left(kept < 0 ? content.lastIndexOf('\n') + 1 : kept)));
}

TARROWIN_TEST_MAIN(TestHostileSettings)
#include "tst_HostileSettings.moc"
