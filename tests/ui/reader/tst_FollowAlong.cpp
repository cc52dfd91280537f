#include "TestRegistry.h"
#include "FakeVoice.h"
#include "ReaderFixture.h"
#include "ReadingSession.h"
#include "kxButtons_H.h"
#include <QCheckBox>

// "边听边看" on the fake voice: the reader follows the words heard across pages, a page turned by
// hand stops it, "跟随朗读" brings the page back, and closing leaves the voice alone.
class TestFollowAlong : public QObject
{
    Q_OBJECT
private slots:
    void followsTheVoiceAcrossPages()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(NumberedNovel(400));
        tts->show();
        tts->cmdSpeak_Click(0);
        auto *voice = static_cast<FakeVoice *>(tts->mobjSpkOne());
        QVERIFY(voice);
        tts->cmdBianTingBianKan_Click();
        auto *reader = static_cast<frmRead *>(tts->readerWindow());
        QVERIFY(reader && reader->isVisible() && tts->isVisible());
        QVERIFY(reader->Following());
        QVERIFY(reader->chkGenSui->isChecked());

        QStringList pages;
        QList<int> marks;
        while (pages.size() < 4) {
            const QString piece = tts->txtLangDu->Text();
            QVERIFY(!piece.isEmpty());
            for (int c = 0; c + 2 <= piece.size(); c += 2) {
                voice->sayWord(c, 2);
                QCoreApplication::processEvents();
                const QString page = reader->txtTarrowin->Text();
                if (pages.isEmpty() || pages.last() != page)
                    pages << page;
                const std::optional<WordPlace> mark = reader->ShownMark();
                QVERIFY(mark);
                QVERIFY(piece.mid(c, 2).startsWith(page.mid(mark->offset, mark->length)));
                marks << mark->offset;
            }
            voice->finishStream();
            QCoreApplication::processEvents();
        }
        QVERIFY(QSet<int>(marks.begin(), marks.end()).size() > 20);
        const QString lastPage = reader->txtTarrowin->Text();

        // The pages are those turning by hand from the first shows.
        const QString heardPage = pages.at(1);
        reader->txtWeiZhi->setText(QStringLiteral("1"));
        reader->txtTarrowin->setText(reader->GetNextPage());
        QVERIFY(!reader->Following()); // the page changed by hand
        QCOMPARE(reader->txtTarrowin->Text(), pages.at(0));
        reader->cmdRead_Click(0);
        QCOMPARE(reader->txtTarrowin->Text(), heardPage);
        reader->cmdRead_Click(0);
        QCOMPARE(reader->txtTarrowin->Text(), pages.at(2));
        QVERIFY(!reader->chkGenSui->isChecked());
        QVERIFY(!reader->ShownMark());

        // Not following, words leave the page alone.
        const QString handPage = reader->txtTarrowin->Text();
        voice->sayWord(2, 2);
        QCoreApplication::processEvents();
        QCOMPARE(reader->txtTarrowin->Text(), handPage);

        // "跟随朗读" brings the page of the voice back at once, the word marked.
        reader->chkGenSui->setChecked(true);
        QVERIFY(reader->Following());
        QCOMPARE(reader->txtTarrowin->Text(), lastPage);
        const std::optional<WordPlace> mark = reader->ShownMark();
        QVERIFY(mark);
        QCOMPARE(lastPage.mid(mark->offset, mark->length), tts->txtLangDu->Text().mid(2, 2));

        // Closing only closes: the voice goes on, the read-aloud window stays, ".kan" holds the page.
        const int purges = voice->purgeCount();
        const QString piece = tts->txtLangDu->Text();
        reader->close();
        QVERIFY(!reader->isVisible());
        QVERIFY(tts->isVisible());
        QCOMPARE(voice->purgeCount(), purges);
        QCOMPARE(tts->txtLangDu->Text(), piece);
        QCOMPARE(f.readBytes(f.novel + QStringLiteral(".kan")), Gbk::fromUnicode(lastPage));
    }

    // A find and automatic scrolling stop the following too.
    // "边听边看" with the voice silent starts it, and the reader follows the piece it speaks.
    void startsASilentVoice()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(NumberedNovel(100));
        tts->show();
        QCOMPARE(tts->session()->state(), ReadingSession::State::Idle);
        tts->cmdBianTingBianKan_Click();
        auto *reader = static_cast<frmRead *>(tts->readerWindow());
        QVERIFY(reader && reader->isVisible());
        QCOMPARE(tts->session()->state(), ReadingSession::State::Speaking);
        QVERIFY(reader->Following());
        QVERIFY(!tts->txtLangDu->Text().isEmpty());
        QVERIFY(reader->txtTarrowin->Text().contains(tts->txtLangDu->Text().left(6)));
        reader->close();
    }

    // A resize while following cuts the page again and goes on following, the word marked.
    void resizeKeepsFollowing()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(NumberedNovel(400));
        tts->show();
        tts->cmdBianTingBianKan_Click();
        auto *reader = static_cast<frmRead *>(tts->readerWindow());
        auto *voice = static_cast<FakeVoice *>(tts->mobjSpkOne());
        reader->resize(900, 700);
        voice->sayWord(2, 2);
        QCoreApplication::processEvents();
        const QString page = reader->txtTarrowin->Text();
        QVERIFY(reader->ShownMark());
        reader->resize(700, 450);
        QVERIFY(reader->txtTarrowin->Text().size() < page.size());
        QVERIFY(reader->Following());
        QVERIFY(reader->ShownMark());
        voice->sayWord(4, 2);
        QCoreApplication::processEvents();
        QVERIFY(page.startsWith(reader->txtTarrowin->Text()));
        QVERIFY(!reader->TextOverflows(reader->txtTarrowin));
        reader->close();
    }

    void findAndScrollingStopIt()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(NumberedNovel(100));
        tts->show();
        tts->cmdSpeak_Click(0);
        tts->cmdBianTingBianKan_Click();
        auto *reader = static_cast<frmRead *>(tts->readerWindow());
        QVERIFY(reader->Following());
        emit reader->cmdChaZhao->Click();
        QVERIFY(!reader->Following());
        reader->chkGenSui->setChecked(true);
        QVERIFY(reader->Following());
        reader->chkGunDong->setChecked(true);
        QVERIFY(!reader->Following());
        reader->chkGunDong->setChecked(false);
        reader->close();
    }

    // "跟随朗读" takes a place of its own in the side bar: no control shown there covers another.
    void sideBarControlsApart()
    {
        ReaderFixture f;
        frmTTS *tts = f.loadTts(NumberedNovel(100));
        tts->show();
        tts->cmdBianTingBianKan_Click();
        auto *reader = static_cast<frmRead *>(tts->readerWindow());
        QVERIFY(reader->chkGenSui->isVisible());
        QList<QWidget *> shown;
        for (QWidget *w : reader->picButton->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                shown << w;
        for (int i = 0; i < shown.size(); ++i)
            for (int j = i + 1; j < shown.size(); ++j)
                QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                         qPrintable(shown[i]->objectName() + QStringLiteral(" covers ") + shown[j]->objectName()));
        reader->close();
    }
};

TARROWIN_TEST_MAIN(TestFollowAlong)
#include "tst_FollowAlong.moc"
