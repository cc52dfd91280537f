#include "TestRegistry.h"
#include "FormTimer.h"
#include "ReaderFixture.h"
#include <QCheckBox>
#include <QTest>

// The text file is truncated, replaced or deleted while the reader shows it: pages turned forward
// and backward several at a time, or by automatic scrolling, go on with what the file holds now.
// Every page shown is the file's bytes just before the position, or nothing; the position stays
// at 1 or above and never moves past the file's new end (it may stay where it stood when the file
// shrank below it); a backward turn then comes back to the file's text, and nothing hangs.
class TestReaderTextFileChanges : public QObject
{
    Q_OBJECT
private slots:
    void changedWhileShown_data();
    void changedWhileShown();
};

namespace {

enum class Turning { Forward, Backward, Scrolling };

QString sentences(const QString &word, int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("第%1%2。").arg(i).arg(word) + (i % 9 == 0 ? QStringLiteral("\r\n") : QString());
    return text;
}

qint64 position(const frmRead *reader)
{
    return reader->txtWeiZhi->Text().toLongLong();
}

// The checks made after every page turn, against the file as it is now.
class FileNow
{
public:
    FileNow(const ReaderFixture &f, qint64 positionAtChange) : m_f(f), m_positionAtChange(positionAtChange) {}

    // A turn that found no page in the file as it is now kept the page and the position it had
    // (`kept`); any other page is the file's bytes before the position.
    void checkPage(const frmRead *reader, bool kept) const
    {
        const QByteArray bytes = m_f.readBytes(m_f.novel);
        const QString page = reader->txtTarrowin->Text();
        const qint64 at = position(reader);
        QVERIFY2(at >= 1, qPrintable(reader->txtWeiZhi->Text()));
        QVERIFY2(at <= qMax(bytes.size() + 1, m_positionAtChange),
                 qPrintable(QStringLiteral("position %1 past the end of %2 bytes").arg(at).arg(bytes.size())));
        QVERIFY(!page.contains(QChar(0)));
        QCOMPARE(reader->txtChaZhao->Text(), page);
        QVERIFY(!page.isEmpty());
        if (kept)
            return;
        const QByteArray pageBytes = Gbk::fromUnicode(page);
        QVERIFY2(at - 1 - pageBytes.size() >= 0 && bytes.mid(at - 1 - pageBytes.size(), pageBytes.size()) == pageBytes,
                 qPrintable(QStringLiteral("not the file's bytes before %1: %2").arg(at).arg(page.left(40))));
    }

private:
    const ReaderFixture &m_f;
    qint64 m_positionAtChange;
};

// Whether the next action leaves the page and the position as they were.
struct Unchanged
{
    explicit Unchanged(const frmRead *reader) : m_reader(reader), m_page(reader->txtTarrowin->Text()), m_at(position(reader)) {}
    bool operator()() const { return m_reader->txtTarrowin->Text() == m_page && position(m_reader) == m_at; }

private:
    const frmRead *m_reader;
    QString m_page;
    qint64 m_at;
};

// One automatic-scrolling reveal to its end and the flip to the next page.
void scrollOnePage(frmRead *reader)
{
    for (int ticks = 0; reader->GunDongHeight() < reader->XianShiHeight() && ticks < 10000; ++ticks)
        reader->tmrGunDong_Timer();
    QVERIFY(reader->GunDongHeight() >= reader->XianShiHeight());
    reader->tmrGunDong_Timer();
    QCOMPARE(reader->GunDongHeight(), 0.0);
}

void turn(frmRead *reader, Turning turning)
{
    const int index = turning == Turning::Backward ? 1 : 0;
    reader->txtYeShu[index]->setText(QStringLiteral("3"));
    if (turning == Turning::Scrolling)
        scrollOnePage(reader);
    else
        reader->cmdRead_Click(index);
    QCOMPARE(reader->txtYeShu[index]->Text(), QStringLiteral("1"));
}

}

void TestReaderTextFileChanges::changedWhileShown_data()
{
    QTest::addColumn<int>("turning");
    QTest::addColumn<int>("keepBytes");        // -1: the file is deleted
    QTest::addColumn<QString>("replacement");  // written instead of the file when not empty

    const QByteArray bytes = Gbk::fromUnicode(sentences(QStringLiteral("句话，内容平常"), 300));
    const int early = bytes.indexOf(Gbk::fromUnicode(QStringLiteral("第30句"))); // a character boundary
    const QList<std::pair<const char *, Turning>> turnings{
        {"forward", Turning::Forward}, {"backward", Turning::Backward}, {"scrolling", Turning::Scrolling}};
    for (const auto &entry : turnings) {
        // Named copies: a lambda captures no structured binding before C++20.
        const char *const name = entry.first;
        const Turning turning = entry.second;
        const auto row = [&](const char *change) -> QTestData & {
            return QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(change), QLatin1String(name))))
                << int(turning);
        };
        row("truncated before the page shown") << early << QString();
        row("truncated inside a character") << early + 1 << QString();
        row("truncated after the page shown") << int(bytes.size() * 3 / 4) << QString();
        row("emptied") << 0 << QString();
        row("deleted") << -1 << QString();
        row("replaced by a shorter text") << 0 << sentences(QStringLiteral("行字"), 40);
        row("replaced by a longer text") << 0 << sentences(QStringLiteral("个新的句子，更长一些"), 400);
        row("replaced by text without break characters") << 0 << QString(3000, QChar(0x5929));
    }
}

void TestReaderTextFileChanges::changedWhileShown()
{
    QFETCH(int, turning);
    QFETCH(int, keepBytes);
    QFETCH(QString, replacement);
    const auto how = Turning(turning);
    ReaderFixture f;
    f.loadTts(sentences(QStringLiteral("句话，内容平常"), 300))->txtChaZhao->setText(QStringLiteral("第120句话"));
    frmRead *reader = f.open();
    QVERIFY(reader->txtTarrowin->Text().startsWith(QStringLiteral("第120句话")));
    if (how == Turning::Scrolling) {
        reader->chkGunDong->setChecked(true);
        QVERIFY(reader->tmrGunDong->Enabled());
    }
    turn(reader, how);
    QVERIFY(!reader->txtTarrowin->Text().isEmpty());

    if (keepBytes < 0)
        QVERIFY(QFile::remove(f.path(f.novel)));
    else if (!replacement.isEmpty())
        f.writeText(f.novel, replacement);
    else
        QVERIFY(QFile::resize(f.path(f.novel), keepBytes));
    const FileNow file(f, position(reader));

    for (int i = 0; i < 8; ++i) {
        const Unchanged unchanged(reader);
        turn(reader, how);
        file.checkPage(reader, unchanged());
        if (QTest::currentTestFailed())
            return;
    }
    // Backward turns come back to the file's text from wherever the turns above left the reader;
    // with no text left in the file, the last page shown stays, as the place.
    reader->chkGunDong->setChecked(false);
    const bool fileHoldsText = keepBytes > 0 || !replacement.isEmpty();
    for (int i = 0; i < 2; ++i) {
        const Unchanged unchanged(reader);
        reader->cmdRead_Click(1);
        QVERIFY(fileHoldsText || unchanged());
        file.checkPage(reader, !fileHoldsText);
    }
}

TARROWIN_TEST_MAIN(TestReaderTextFileChanges)
#include "tst_ReaderTextFileChanges.moc"
