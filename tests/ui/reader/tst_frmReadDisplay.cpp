#include "TestRegistry.h"
#include "FormTimer.h"
#include "ReaderFixture.h"
#include "ScrollSurface.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QElapsedTimer>
#include <QAccessible>
#include <QFontInfo>
#include <QLabel>

namespace {

// Rows of `image` (within `width` columns) that hold any pixel other than `background`.
QList<bool> InkRows(const QImage &image, int width, QColor background)
{
    QList<bool> rows;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < qMin(width, image.width()) && !ink; ++x)
            ink = image.pixelColor(x, y) != background;
        rows << ink;
    }
    return rows;
}

// Whether any row of the band [top, top + height) holds ink.
bool BandHasInk(const QList<bool> &rows, int top, int height)
{
    for (int y = top; y < top + height && y < rows.size(); ++y)
        if (rows[y])
            return true;
    return false;
}

}

class TestFrmReadDisplay : public QObject
{
    Q_OBJECT
private slots:
    void freshStartLook()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        QCOMPARE(reader->TextColour(), OleColor(0xE0E0E0));
        QCOMPARE(reader->BackgroundColour(), OleColor(0));
        QCOMPARE(reader->txtTarrowin->palette().color(QPalette::Text), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(reader->txtTarrowin->palette().color(QPalette::Base), QColor(Qt::black));
        QCOMPARE(reader->txtTarrowin->font().family(), QStringLiteral("楷体_GB2312"));
        QVERIFY2(QFontInfo(reader->txtTarrowin->font()).family().contains(QLatin1String("Kai")),
                 qPrintable(QFontInfo(reader->txtTarrowin->font()).family()));
        QCOMPARE(reader->txtTarrowin->font().pointSizeF(), 22.0);
        QVERIFY(reader->mblnYouBianLan);
        QCOMPARE(reader->cmdYouBianLan->Caption(), QStringLiteral("隐"));
        QCOMPARE(reader->txtGunDong->font().pointSizeF(), 22.0);
        QCOMPARE(reader->picTextXianShi->ForeColor(), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(reader->picTextGunDong->BackColor(), QColor(Qt::black));
        QAccessibleInterface *surface = QAccessible::queryAccessibleInterface(reader->picTextXianShi);
        QVERIFY(surface);
        QCOMPARE(surface->role(), QAccessible::Graphic);
        QCOMPARE(surface->text(QAccessible::Name), QStringLiteral("滚动中的原文"));
    }

    void fractionalFontSizeIsStoredAndReadBackWhole()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        const QString chunkBefore = reader->txtFenChangDu->Text();
        reader->setFontChooser([](QWidget *, const QFont &) {
            QFont chosen(QStringLiteral("Noto Sans CJK SC"));
            chosen.setPointSizeF(10.5);
            chosen.setBold(true);
            return std::optional<QFont>(chosen);
        });
        reader->mnuZiTiZiHao_Click();
        QCOMPARE(f.setting("ZIHAO"), QStringLiteral("10.5"));
        QCOMPARE(f.setting("ZITI"), QStringLiteral("Noto Sans CJK SC"));
        QVERIFY(!reader->txtTarrowin->font().bold());
        QCOMPARE(reader->txtGunDong->font().pointSizeF(), 10.5);
        QVERIFY(reader->txtFenChangDu->Text().toInt() > chunkBefore.toInt());
        reader->close();
        f.tts->cmdRead_Click();
        QCOMPARE(reader->txtTarrowin->font().pointSizeF(), 10.0);
        QCOMPARE(reader->txtTarrowin->font().family(), QStringLiteral("Noto Sans CJK SC"));
    }

    void cancelledDialogsChangeNothing()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        reader->setColourChooser([](QWidget *) { return std::optional<QColor>(); });
        reader->setFontChooser([](QWidget *, const QFont &) { return std::optional<QFont>(); });
        const QFont font = reader->txtTarrowin->font();
        reader->mnuWenZi_Click();
        reader->mnuBeiJing_Click();
        reader->mnuZiTiZiHao_Click();
        QCOMPARE(reader->TextColour(), OleColor(0xE0E0E0));
        QCOMPARE(reader->BackgroundColour(), OleColor(0));
        QCOMPARE(reader->txtTarrowin->font(), font);
        QCOMPARE(f.setting("ZITI"), QStringLiteral("<none>"));
        QCOMPARE(f.setting("ZIHAO"), QStringLiteral("<none>"));
    }

    void colourChoiceReachesTheMirrorsAndIsSavedOnClose()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        reader->setColourChooser([](QWidget *) { return std::optional<QColor>(QColor(0x12, 0x34, 0x56)); });
        reader->mnuWenZi_Click();
        QCOMPARE(reader->TextColour(), OleColor(0x563412));
        QCOMPARE(reader->picTextXianShi->ForeColor(), QColor(0x12, 0x34, 0x56));
        QCOMPARE(reader->picTextGunDong->ForeColor(), QColor(0x12, 0x34, 0x56));
        QCOMPARE(reader->linGunDong->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
        QCOMPARE(f.setting("SEWENZI"), QStringLiteral("<none>"));
        reader->close();
        QCOMPARE(f.setting("SEWENZI"), QString::number(0x563412));
        QCOMPARE(f.setting("SEBEIJING"), QStringLiteral("0"));
        QCOMPARE(f.setting("YOUBIANLAN"), QStringLiteral("-1"));
    }

    void sideBarByMenuAndButton()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        reader->chkGengDuoXianShi->setChecked(true);
        const int sideBarLeft = reader->picButton->x();
        QCOMPARE(reader->txtTarrowin->width(), sideBarLeft);
        reader->mnuYouBianYinCang_Click();
        QCOMPARE(reader->txtTarrowin->width(), reader->width());
        QCOMPARE(reader->cmdYouBianLan->Caption(), QStringLiteral("隐"));
        QVERIFY(reader->chkGengDuoXianShi->isChecked());
        reader->cmdYouBianLan_Click(); // hides again, no visible change
        QCOMPARE(reader->txtTarrowin->width(), reader->width());
        QCOMPARE(reader->cmdYouBianLan->Caption(), QStringLiteral("显"));
        QVERIFY(!reader->chkGengDuoXianShi->isChecked());
        QVERIFY(!reader->cmdChaZhao->isVisibleTo(reader->picButton));
        reader->cmdYouBianLan_Click();
        QCOMPARE(reader->txtTarrowin->width(), sideBarLeft);
        QCOMPARE(reader->cmdYouBianLan->Caption(), QStringLiteral("隐"));
        reader->mnuYouBianYinCang_Click();
        reader->close();
        QCOMPARE(f.setting("YOUBIANLAN"), QStringLiteral("0"));
        f.tts->cmdRead_Click();
        QVERIFY(!reader->mblnYouBianLan);
        QCOMPARE(reader->cmdYouBianLan->Caption(), QStringLiteral("显"));
    }

    void floatingButtonsFollowThePointer()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        reader->mnuYouBianYinCang_Click();
        const QRect side = reader->cmdYouBianLan->geometry();
        const QRect down = reader->cmdFan[0]->geometry();
        const QRect up = reader->cmdFan[1]->geometry();
        reader->txtTarrowin_MouseMove(QPoint(side.left() + 2, side.top() + 2));
        QVERIFY(reader->cmdYouBianLan->isVisible());
        QVERIFY(!reader->cmdFan[0]->isVisible()); // right of the lower page button
        reader->txtTarrowin_MouseMove(QPoint(5, down.top() + 2));
        QVERIFY(!reader->cmdYouBianLan->isVisible());
        QVERIFY(reader->cmdFan[0]->isVisible());
        reader->txtTarrowin_MouseMove(QPoint(reader->txtTarrowin->width() - 2, up.top() + 2));
        QVERIFY(reader->cmdFan[1]->isVisible());
        QVERIFY(!reader->cmdFan[0]->isVisible());
    }

    void speedFromTheSettingsFile()
    {
        ReaderFixture f;
        mdlIniFile::WriteIniString(QStringLiteral("KANXIAOSHUO"), QStringLiteral("GUNDONGSUDU"), QStringLiteral("700"));
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        QCOMPARE(reader->lblGunDong->text(), QStringLiteral("700"));
        QCOMPARE(reader->tmrGunDong->Interval(), 700);
        reader->cmdGunDong_Click(1);
        QCOMPARE(reader->lblGunDong->text(), QStringLiteral("500"));
        QCOMPARE(reader->tmrGunDong->Interval(), 500);
        mdlIniFile::WriteIniString(QStringLiteral("KANXIAOSHUO"), QStringLiteral("GONGDONGGAIBIANLIANG"), QStringLiteral("0"));
        mdlIniFile::WriteIniString(QStringLiteral("KANXIAOSHUO"), QStringLiteral("GUNDONGSUDU"), QStringLiteral("1"));
        reader->cmdGunDong_Click(0);
        QCOMPARE(reader->lblGunDong->text(), QStringLiteral("500"));
        QCOMPARE(f.setting("GUNDONGSUDU"), QStringLiteral("500"));
    }

    void aZeroSpeedLeavesTheScrollingStill()
    {
        ReaderFixture f;
        mdlIniFile::WriteIniString(QStringLiteral("KANXIAOSHUO"), QStringLiteral("GUNDONGSUDU"), QStringLiteral("0"));
        f.loadTts(NumberedNovel(400));
        frmRead *reader = f.open();
        reader->chkGunDong->setChecked(true);
        QVERIFY(reader->tmrGunDong->Enabled());
        QVERIFY(!reader->tmrGunDong->Running());
        const QString page = reader->txtTarrowin->Text();
        QTest::qWait(60);
        QCOMPARE(reader->txtTarrowin->Text(), page);
        QCOMPARE(reader->GunDongHeight(), 0.0);
        reader->lblGunDong->setText(QStringLiteral("快"));
        reader->tmrGunDong->setInterval(0);
        QVERIFY(!reader->tmrGunDong->Running());
    }

    void ticksRevealThenFlip()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(400))->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        reader->cmdRead_Click(0);
        const QString frozen = reader->txtTarrowin->Text();
        reader->chkGunDong->setChecked(true);
        const QString revealed = reader->txtTarrowin->Text();
        QVERIFY(revealed != frozen);
        QVERIFY(reader->picTextGunDong->isVisible());
        QCOMPARE(reader->picTextGunDong->height(), 0);
        reader->tmrGunDong_Timer();
        QCOMPARE(reader->GunDongHeight(), 20.0);
        const QWidget *line = reader->linGunDong;
        QCOMPARE(line->y(), reader->picTextGunDong->height() - 3);
        while (reader->GunDongHeight() < reader->XianShiHeight())
            reader->tmrGunDong_Timer();
        QCOMPARE(reader->txtTarrowin->Text(), revealed);
        reader->tmrGunDong_Timer(); // full height: the next flip
        QVERIFY(reader->txtTarrowin->Text() != revealed);
        QCOMPARE(reader->GunDongHeight(), 0.0);
        // Switching off with the right button leaves the page that was being revealed.
        const QString nowRevealed = reader->txtTarrowin->Text();
        reader->picText_MouseUp(Qt::RightButton, 100);
        QVERIFY(!reader->chkGunDong->isChecked());
        QVERIFY(!reader->picTextGunDong->isVisible());
        QCOMPARE(reader->txtTarrowin->Text(), nowRevealed);
    }

    void clickZonesOnTheSurfaces()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(400));
        frmRead *reader = f.open();
        reader->chkGunDong->setChecked(true);
        const double h = reader->XianShiHeight();
        reader->picText_MouseUp(Qt::LeftButton, h / 3);
        QVERIFY(!reader->tmrGunDong->Enabled());
        QCOMPARE(reader->cmdlblGunDong->Caption(), QStringLiteral("暂停"));
        QVERIFY(reader->cmdlblGunDong->isVisible());
        QCOMPARE(reader->lblGunDong->text(), QStringLiteral("100"));
        reader->picText_MouseUp(Qt::LeftButton, 2 * h / 3);
        QVERIFY(reader->tmrGunDong->Enabled());
        QCOMPARE(reader->cmdlblGunDong->Caption(), QStringLiteral("100"));
        reader->picText_MouseUp(Qt::LeftButton, h / 2);
        reader->picText_MouseUp(Qt::LeftButton, h - 1);
        QVERIFY(reader->tmrGunDong->Enabled());
        QCOMPARE(reader->cmdlblGunDong->Caption(), QStringLiteral("102"));
        reader->picText_MouseUp(Qt::LeftButton, 0);
        QCOMPARE(reader->cmdlblGunDong->Caption(), QStringLiteral("100"));
        reader->cmdlblGunDong_Click();
        QVERIFY(!reader->cmdlblGunDong->isVisible());
    }

    void hintStaysUntil800MsAfterTheLastClick()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(400));
        frmRead *reader = f.open();
        reader->chkGunDong->setChecked(true);
        const double middle = reader->XianShiHeight() / 2;
        QElapsedTimer sinceClick;
        for (int i = 0; i < 3; ++i) {
            // Between clicks 500 ms apart the hint is seen all the time (the time is read before
            // the hint, so a hide that the events just processed cannot pass unseen).
            while (i > 0 && sinceClick.elapsed() < 500) {
                QTest::qWait(10);
                const qint64 since = sinceClick.elapsed();
                QVERIFY2(since >= 800 || reader->cmdlblGunDong->isVisible(), qPrintable(QString::number(since)));
            }
            reader->picText_MouseUp(Qt::LeftButton, middle);
            sinceClick.start();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!reader->cmdlblGunDong->isVisible(), 3000);
        QVERIFY2(sinceClick.elapsed() >= 800, qPrintable(QString::number(sinceClick.elapsed())));
    }

    void surfacesDrawThePageBoxLinesWithBlankLines()
    {
        ReaderFixture f;
        const QString page = QStringLiteral("甲乙丙\r\n\r\n丁戊\r\n");
        f.loadTts(page + QString(3000, QChar(0x5929)))->txtChaZhao->setText(QString());
        frmRead *reader = f.open();
        reader->cmdRead_Click(0);
        QCOMPARE(reader->txtTarrowin->Text(), page);
        reader->chkGunDong->setChecked(true);
        const QImage frozen = reader->picTextXianShi->Image();
        const int lineHeight = qCeil(QFontMetricsF(reader->picTextXianShi->font()).lineSpacing());
        const QList<bool> rows = InkRows(frozen, reader->picTextXianShi->width(), Qt::black);
        QVERIFY(BandHasInk(rows, 0, lineHeight));
        QVERIFY(!BandHasInk(rows, lineHeight, lineHeight));
        QVERIFY(BandHasInk(rows, 2 * lineHeight, lineHeight));
        QVERIFY(!BandHasInk(rows, 3 * lineHeight, frozen.height()));
        // The revealed surface holds the next page, drawn while it was at full height.
        QVERIFY(reader->txtTarrowin->Text().startsWith(QStringLiteral("天天天")));
        const QList<bool> next = InkRows(reader->picTextGunDong->Image(), reader->picTextGunDong->width(), Qt::black);
        const int lines = reader->txtTarrowin->LineCount();
        QVERIFY(lines > 3);
        for (int i = 0; i < lines; ++i)
            QVERIFY(BandHasInk(next, i * lineHeight, lineHeight));
        QVERIFY(!BandHasInk(next, lines * lineHeight, frozen.height()));
    }
};

TARROWIN_TEST_MAIN(TestFrmReadDisplay)
#include "tst_frmReadDisplay.moc"
