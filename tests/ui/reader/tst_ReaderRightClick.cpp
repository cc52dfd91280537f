// The reader's pop-up menu reached as a user reaches it under X11: a real right click (and the
// Menu key, and Shift+F10) sent through the X server's XTEST extension to the reader window on
// the Xvfb display of the test services.
#include "TestRegistry.h"
#include "ReaderFixture.h"
#include "ReadingSession.h"
#include "XUser.h"
#include <QApplication>
#include <QMenu>
#include <X11/keysym.h>

// The test runs on the Xvfb display when the test services give one; otherwise it is skipped.
class TestReaderRightClick : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tarrowin_test::UseTestDisplay(); }
private slots:
    void initTestCase();
    void oneRightClickBringsColoursAndFont();
    void menuKeyAndShiftF10BringTheMenu();
    void readFromHereSpeaksTheSentenceUnderThePointer();
};

namespace {
QMenu *OpenPopUp()
{
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}
}

void TestReaderRightClick::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the Xvfb display of scripts/test-services.sh");
}

// Under X11 the page box's own edit menu takes the right button's press and release; the one
// menu that comes holds the edit items and the reader's, and its colour item works by mouse.
void TestReaderRightClick::oneRightClickBringsColoursAndFont()
{
    ReaderFixture f;
    frmRead *reader = ShowReaderForInput(f, 80, QStringLiteral("这是第5句话"));
    QVERIFY(reader);
    int chosen = 0;
    reader->setColourChooser([&chosen](QWidget *) {
        ++chosen;
        return std::optional<QColor>(QColor(0x20, 0x90, 0x40));
    });
    XUser user(qEnvironmentVariable("DISPLAY"));
    QVERIFY(user.connected());
    const QPoint onPage = reader->txtTarrowin->viewport()->mapToGlobal(QPoint(80, 60));
    user.click(onPage, 3);
    QTRY_VERIFY(OpenPopUp());
    QMenu *menu = OpenPopUp();
    QCOMPARE(menu, reader->mnuTanChu);
    QVERIFY(menu->actions().indexOf(reader->mnuWenZi) > menu->actions().indexOf(reader->mnuTanChu->actions().first()));
    QVERIFY(menu->actions().size() > 7 + 4); // the reader's seven and the edit items
    QTest::qWait(300);
    QVERIFY(menu->isVisible()); // the release of the right button did not take it away

    user.click(menu->mapToGlobal(menu->actionGeometry(reader->mnuWenZi).center()));
    QTRY_COMPARE(chosen, 1);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(reader->TextColour(), OleColor(0x409020));

    // The same again after a first use: still one click.
    user.click(onPage, 3);
    QTRY_VERIFY(OpenPopUp() == reader->mnuTanChu);
    user.click(menu->mapToGlobal(menu->actionGeometry(reader->mnuYouBianYinCang).center()));
    QTRY_VERIFY(!reader->mblnYouBianLan);
}

void TestReaderRightClick::menuKeyAndShiftF10BringTheMenu()
{
    ReaderFixture f;
    frmRead *reader = ShowReaderForInput(f, 80, QStringLiteral("这是第5句话"));
    QVERIFY(reader);
    XUser user(qEnvironmentVariable("DISPLAY"));
    QVERIFY(user.connected());
    user.click(reader->txtTarrowin->viewport()->mapToGlobal(QPoint(80, 60))); // the focus to the page box
    QTRY_VERIFY(reader->txtTarrowin->hasFocus());
    for (bool shiftF10 : {false, true}) {
        user.typeKey(shiftF10 ? XK_F10 : XK_Menu, shiftF10);
        QTRY_VERIFY2(OpenPopUp() == reader->mnuTanChu, shiftF10 ? "Shift+F10" : "Menu key");
        user.typeKey(XK_Escape);
        QTRY_VERIFY(!OpenPopUp());
    }
}

// "从这里朗读" over a character of the page: the voice speaks from the start of its sentence, and
// the reader follows it.
void TestReaderRightClick::readFromHereSpeaksTheSentenceUnderThePointer()
{
    ReaderFixture f;
    frmRead *reader = ShowReaderForInput(f, 80, QStringLiteral("这是第5句话"));
    QVERIFY(reader);
    const QPoint point(160, 90);
    const QString page = reader->txtTarrowin->Text();
    const int under = reader->txtTarrowin->TextIndexAt(point);
    QVERIFY(under > 0 && under < page.size());
    const int sentence = int(page.lastIndexOf(QStringLiteral("。"), under - 1)) + 1;
    reader->ShowPopUpMenu(reader->txtTarrowin->viewport()->mapToGlobal(point));
    QTRY_VERIFY(OpenPopUp() == reader->mnuTanChu);
    reader->mnuCongZheLiLangDu->trigger();
    QCOMPARE(f.tts->session()->state(), ReadingSession::State::Speaking);
    QVERIFY(f.tts->session()->current().text.startsWith(page.mid(sentence, 6).trimmed()));
    QVERIFY(reader->chkGenSui->isEnabled());
}

TARROWIN_TEST_MAIN(TestReaderRightClick)
#include "tst_ReaderRightClick.moc"
