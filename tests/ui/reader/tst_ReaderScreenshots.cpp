#include "TestRegistry.h"
#include "FormTimer.h"
#include "ReaderFixture.h"
#include "ScrollSurface.h"
#include "mdlFileBinText.h"
#include <QCheckBox>
#include <QDir>

// The reader with a real novel, rendered as a user sees it: side bar shown, hidden, and in the
// middle of a reveal. Saved as PNG files when TARROWIN_SCREENSHOT_DIR names a folder, so that
// they can be looked at (run under Xvfb for a real window system).
class TestReaderScreenshots : public QObject
{
    Q_OBJECT
private:
    void save(QWidget *window, const char *name)
    {
        const QImage shot = window->grab().toImage();
        QVERIFY(!shot.isNull());
        const QString folder = qEnvironmentVariable("TARROWIN_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(shot.save(QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png"))));
    }

    // Distinct colours in a region: a page of text has many, an empty or covered one few.
    static int Colours(const QImage &image, const QRect &region)
    {
        QSet<QRgb> seen;
        for (int y = region.top(); y <= region.bottom(); y += 2)
            for (int x = region.left(); x <= region.right(); x += 2)
                seen.insert(image.pixel(x, y));
        return int(seen.size());
    }

private slots:
    void readerWithANovel()
    {
        const QString corpus = QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt");
        if (!QFile::exists(corpus))
            QSKIP("corpus folder absent: " TARROWIN_CORPUS_DIR);
        ReaderFixture f;
        f.loadTts(mdlFileBinText::ReadTextFile(corpus).value_or(QString()))->txtChaZhao->setText(QStringLiteral("盖闻天地之数"));
        frmRead *reader = f.open();
        reader->resize(640, 520);
        reader->chkGengDuoXianShi->setChecked(true);
        reader->cmdRead_Click(0); // cut with the chunk size of the new window size
        QTRY_VERIFY(!reader->txtTarrowin->Text().isEmpty());
        // the page and the side bar drawn once the window has laid itself out anew
        QTRY_VERIFY(Colours(reader->grab().toImage(), reader->txtTarrowin->geometry()) > 8
                    && Colours(reader->grab().toImage(), reader->picButton->geometry()) > 4);
        save(reader, "reader_sidebar_shown");

        reader->chkGengDuoXianShi->setChecked(false);
        reader->cmdYouBianLan_Click();
        QTRY_COMPARE(reader->txtTarrowin->width(), reader->width());
        save(reader, "reader_sidebar_hidden");

        reader->chkGunDong->setChecked(true);
        for (int i = 0; i < 80; ++i)
            reader->tmrGunDong_Timer();
        reader->tmrGunDong->setEnabled(false);
        QTRY_VERIFY(reader->picTextGunDong->height() > 0);
        QVERIFY(reader->picTextGunDong->height() < reader->picTextXianShi->height());
        save(reader, "reader_mid_reveal");
    }
};

TARROWIN_TEST_MAIN(TestReaderScreenshots)
#include "tst_ReaderScreenshots.moc"
