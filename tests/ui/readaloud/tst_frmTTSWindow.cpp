// The read-aloud window as a window: where it stands on the screens, and what a screen reader
// meets in it.
#include "TestRegistry.h"
#include "AudioExportDialog.h"
#include "ReadAloudFixture.h"
#include "SampleNovel.h"
#include <QResource>
#include "ScreenReaderWalk.h"
#include "kxButtons_H.h"
#include "mdlIniFile.h"
#include <QGroupBox>
#include <QMenu>
#include <QShortcut>

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class TestFrmTTSWindow : public QObject
{
    Q_OBJECT
private slots:
    void placeOffEveryScreenBroughtBack_data();
    void placeOffEveryScreenBroughtBack();
    void placeOffEveryScreenNotWrittenBack();
    void sizeAndPlaceAreOneRectangle();
    void exposedAsAWindowNamedByItsTitle();
    void controlsNeverShownAreNotMet();
    void menuKeysAreTheirOwnAndWork();
    void builtInSampleAndAListThatCloses();

private:
    static void store(const char *key, const QString &value)
    {
        mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QLatin1String(key), value);
    }
    static QString ini(const char *key)
    {
        return mdlIniFile::ReadIniString(QStringLiteral("DANGQIAN"), QLatin1String(key), QStringLiteral("<none>"));
    }
    static double tpp(QWidget *w) { return 1440.0 / w->screen()->logicalDotsPerInchY(); }
    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

void TestFrmTTSWindow::placeOffEveryScreenBroughtBack_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::newRow("-99999 twips left") << "-99999" << "300";
    QTest::newRow("2^31 - 8 twips left") << "2147483640" << "300";
    QTest::newRow("2^31 - 8 twips down") << "300" << "2147483640";
    QTest::newRow("the lowest 32-bit number both ways") << "-2147483648" << "-2147483648";
    QTest::newRow("on a monitor unplugged to the right") << "60000" << "300";
}

// The window opens wholly on the screen, with its stored size.
void TestFrmTTSWindow::placeOffEveryScreenBroughtBack()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    ReadAloudFixture f;
    store("KUANDU", QStringLiteral("6000"));
    store("GAODU", QStringLiteral("4500"));
    store("ZUOBIAN", left);
    store("SHANGBIAN", top);
    frmTTS *w = f.load();
    w->show();
    QVERIFY2(screenArea().contains(w->geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(w->x()).arg(w->y())
                                                                   .arg(w->width()).arg(w->height())));
    QCOMPARE(w->size(), QSize(qRound(6000 / tpp(w)), qRound(4500 / tpp(w))));
}

void TestFrmTTSWindow::placeOffEveryScreenNotWrittenBack()
{
    ReadAloudFixture f;
    store("ZUOBIAN", QStringLiteral("300"));
    store("SHANGBIAN", QStringLiteral("450"));
    frmTTS *w = f.load();
    w->show();
    w->move(screenArea().right() + 500, 40);
    w->close();
    QCOMPARE(ini("ZUOBIAN"), QStringLiteral("300"));
    QCOMPARE(ini("SHANGBIAN"), QStringLiteral("450"));
    QCOMPARE(ini("KUANDU"), QStringLiteral("<none>"));
}

// Stored size and place are those of the same rectangle (the window's inner one): a window left
// where it opened writes back what it read.
void TestFrmTTSWindow::sizeAndPlaceAreOneRectangle()
{
    ReadAloudFixture f;
    frmTTS *probe = f.load();
    const double twips = tpp(probe);
    f.window.reset();
    const QRect stored(40, 60, 500, 320);
    store("ZUOBIAN", QString::number(qRound(stored.x() * twips)));
    store("SHANGBIAN", QString::number(qRound(stored.y() * twips)));
    store("KUANDU", QString::number(qRound(stored.width() * twips)));
    store("GAODU", QString::number(qRound(stored.height() * twips)));
    frmTTS *w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->geometry(), stored);
    w->close();
    QCOMPARE(ini("ZUOBIAN"), QString::number(qRound(stored.x() * twips)));
    QCOMPARE(ini("SHANGBIAN"), QString::number(qRound(stored.y() * twips)));
    QCOMPARE(ini("KUANDU"), QString::number(qRound(stored.width() * twips)));
    QCOMPARE(ini("GAODU"), QString::number(qRound(stored.height() * twips)));
}

// AT-SPI's "frame" is Qt's window role; its name follows the title, which follows the file.
void TestFrmTTSWindow::exposedAsAWindowNamedByItsTitle()
{
    ReadAloudFixture f;
    frmTTS *w = f.load();
    w->show();
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(w);
    QVERIFY(window);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), w->windowTitle());
    QVERIFY(!w->windowIcon().pixmap(32).isNull()); // the program's icon, drawn
    f.writeText(QStringLiteral("西游记.txt"), QStringLiteral("第一回"));
    f.choose(QStringLiteral("西游记.txt"));
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("朗读 - 西游记"));
    QVERIFY(window->childCount() > 0);
    QCOMPARE(window->child(0)->parent()->object(), w);
}

// The stop flag (a check box "停止朗读" in a frame never shown) and the restart button are not
// offered: the one "停止朗读" a screen reader meets is the button, and every control it meets
// can be found again among its container's children.
void TestFrmTTSWindow::controlsNeverShownAreNotMet()
{
    ReadAloudFixture f;
    frmTTS *w = f.load();
    w->show();
    const QList<MetControl> met = WalkWindow(w);
    QCOMPARE(CountMet(met, QAccessible::CheckBox, QStringLiteral("停止朗读")), 0);
    QCOMPARE(CountMet(met, QAccessible::Button, QStringLiteral("停止朗读")), 1);
    QCOMPARE(CountMet(met, QAccessible::Button, QStringLiteral("开始朗读")), 1);
    QCOMPARE(CountMet(met, QAccessible::Button, w->cmdChongTou->text()), 0);
    QCOMPARE(CountMet(met, QAccessible::CheckBox, QStringLiteral("分段朗读")), 1);
    for (const MetControl &control : met)
        QVERIFY2(!control.name.contains(QStringLiteral("不可见")), qPrintable(control.name));
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(w);
    for (int i = 0; i < window->childCount(); ++i)
        QCOMPARE(window->indexOfChild(window->child(i)), i);
    QCOMPARE(window->indexOfChild(QAccessible::queryAccessibleInterface(w->Frame1)), -1);
}

// The menu bar's five menus, and keys that are each their own in the window (two commands on
// one key would leave both dead) and work.
void TestFrmTTSWindow::menuKeysAreTheirOwnAndWork()
{
    ReadAloudFixture f;
    frmTTS *w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    for (const auto &[menu, title] : {std::pair(frmTTS::Menu::File, "文件"), {frmTTS::Menu::Reading, "朗读"},
                                      {frmTTS::Menu::Chapters, "章节"}, {frmTTS::Menu::Settings, "设置"}, {frmTTS::Menu::Help, "帮助"}})
        QVERIFY(w->menu(menu)->title().startsWith(QString::fromUtf8(title)));
    QList<QKeySequence> keys;
    for (const QAction *action : w->findChildren<QAction *>())
        keys << action->shortcut();
    for (const QShortcut *shortcut : w->findChildren<QShortcut *>())
        keys << shortcut->key();
    keys.removeAll(QKeySequence());
    QCOMPARE(QSet<QKeySequence>(keys.begin(), keys.end()).size(), keys.size());
    QTest::keyClick(w, Qt::Key_E, Qt::ControlModifier);
    QTRY_VERIFY(w->exportDialog() && w->exportDialog()->isVisible());
}

// The program alone opens the sample built into it; the file list closes with Escape and with a
// click elsewhere.
void TestFrmTTSWindow::builtInSampleAndAListThatCloses()
{
    struct BuiltIn
    {
        BuiltIn() { QResource::registerResource(QStringLiteral(TARROWIN_SAMPLE_RCC)); }
        ~BuiltIn() { QResource::unregisterResource(QStringLiteral(TARROWIN_SAMPLE_RCC)); }
    } builtInSample; // as the program's own resource
    ReadAloudFixture f;
    frmTTS *w = f.load();
    QCOMPARE(w->txtFilePathName->Text(), SampleNovelName());
    QFile builtIn(kBuiltInSample);
    QVERIFY(builtIn.open(QIODevice::ReadOnly));
    QCOMPARE(f.readBytes(SampleNovelName()), builtIn.readAll());
    QVERIFY(!w->txtLangDu->Text().isEmpty());
    w->show();
    QWidget *list = w->findChild<QWidget *>(QStringLiteral("filLangDuWenJian"));
    w->txtFilePathName_DblClick();
    QVERIFY(list->isVisible());
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!list->isVisible());
    w->txtFilePathName_DblClick();
    QVERIFY(list->isVisible());
    QTest::mouseClick(w->txtLangDu->viewport(), Qt::LeftButton);
    QVERIFY(!list->isVisible());
}

TARROWIN_TEST_MAIN(TestFrmTTSWindow)
#include "tst_frmTTSWindow.moc"
