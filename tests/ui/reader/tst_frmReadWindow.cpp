// The reader as a window: its pop-up menu by mouse and keyboard, a fresh start on every opening,
// the scroll surfaces following the look, where it stands on the screens, what a screen reader
// meets in it, and Qt's own texts in Chinese.
#include "TestRegistry.h"
#include "ChineseQt.h"
#include "ReaderFixture.h"
#include "ScreenReaderWalk.h"
#include "ScrollSurface.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

namespace {

// The pop-up open now, if any. A menu that a faulty handler runs modally is closed after a while,
// so that the test goes on and fails instead of waiting for ever.
QMenu *OpenMenuAfter(const std::function<void()> &request)
{
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    closer.start(2000);
    request();
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

QStringList Captions(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

bool HasChinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

void CloseMenus()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

// Pixels of one colour in an image.
int CountColour(const QImage &image, QColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

}

class TestFrmReadWindow : public QObject
{
    Q_OBJECT
private slots:
    void popUpMenuHoldsTheEditItemsAndItsOwn()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50))->txtChaZhao->setText(QStringLiteral("这是第3句话"));
        frmRead *reader = f.open();
        int chosen = 0;
        reader->setColourChooser([&chosen](QWidget *) {
            ++chosen;
            return std::optional<QColor>();
        });
        QWidget *page = reader->txtTarrowin->viewport();
        const QPoint at(40, 40);
        QMenu *menu = OpenMenuAfter([&] {
            QContextMenuEvent click(QContextMenuEvent::Mouse, at, page->mapToGlobal(at));
            QApplication::sendEvent(page, &click);
        });
        QCOMPARE(menu, reader->mnuTanChu);
        const QStringList captions = Captions(menu);
        const qsizetype colour = captions.indexOf(QStringLiteral("文字颜色"));
        QVERIFY2(colour >= 6, qPrintable(captions.join(QLatin1Char('|'))));
        QCOMPARE(captions.mid(colour - 1), (QStringList{"-", "文字颜色", "背景颜色", "-", "字体字号", "-", "隐藏右边栏", "显示右边栏",
                                                        "-", "添加书签", "书签", "导出书签"}));
        QVERIFY(!captions.first().isEmpty() && captions.first() != QStringLiteral("-")); // the edit items come first
        menu->actions().at(colour)->trigger();
        QCOMPARE(chosen, 1);
        CloseMenus();

        // Asked again, the menu holds one set of edit items, not two.
        menu = OpenMenuAfter([&] { reader->txtTarrowin_MouseUp(Qt::RightButton, at); });
        QVERIFY(menu);
        QCOMPARE(Captions(menu), captions);
        CloseMenus();
    }

    void popUpMenuFromTheKeyboard()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        reader->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(reader));
        for (QWidget *focus : {static_cast<QWidget *>(reader->txtTarrowin), static_cast<QWidget *>(reader->cmdRead[0])}) {
            focus->setFocus();
            QMenu *menu = OpenMenuAfter([&] { QTest::keyClick(focus, Qt::Key_F10, Qt::ShiftModifier); });
            QVERIFY2(menu == reader->mnuTanChu, qPrintable(focus->objectName()));
            QVERIFY(Captions(menu).contains(QStringLiteral("字体字号")));
            CloseMenus();
        }
        // A keyboard request on a side-bar control (the Menu key) brings the same menu.
        reader->cmdRead[1]->setFocus();
        QMenu *menu = OpenMenuAfter([&] {
            QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), reader->cmdRead[1]->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(reader->cmdRead[1], &key);
        });
        QCOMPARE(menu, reader->mnuTanChu);
        CloseMenus();
        // The right button on a scroll surface stops the scrolling; it brings no menu.
        reader->chkGunDong->setChecked(true);
        menu = OpenMenuAfter([&] {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), reader->picTextGunDong->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(reader->picTextXianShi, &click);
        });
        QVERIFY(!menu);
    }

    void reopenedReaderStartsAsANewOne()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(300))->txtChaZhao->setText(QStringLiteral("这是第3句话"));
        frmRead *fresh = f.open();
        const QSize designSize = fresh->size();
        fresh->close();
        QFile::remove(mdlIniFile::IniFilePath());

        frmRead *reader = f.open();
        QCOMPARE(reader, fresh);
        reader->chkGengDuoXianShi->setChecked(true);
        reader->mnuYouBianYinCang_Click();
        reader->txtTarrowin_MouseMove(QPoint(1, reader->txtTarrowin->height() / 2)); // away from the floating buttons
        QVERIFY(reader->cmdFan[0]->isHidden() && reader->cmdFan[1]->isHidden());
        reader->setColourChooser([](QWidget *) { return std::optional<QColor>(QColor(0x10, 0x80, 0x20)); });
        reader->mnuWenZi_Click();
        reader->mnuBeiJing_Click();
        QFont other = reader->txtTarrowin->font();
        other.setPointSizeF(12);
        reader->txtTarrowin->setFont(other);
        reader->resize(designSize + QSize(120, 90));
        reader->close();
        QFile::remove(mdlIniFile::IniFilePath()); // nothing stored: the design holds

        reader = f.open();
        QVERIFY(!reader->chkGengDuoXianShi->isChecked());
        QVERIFY(reader->cmdFan[0]->isVisibleTo(reader) && reader->cmdFan[1]->isVisibleTo(reader));
        QCOMPARE(reader->TextColour(), OleColor(0xE0E0E0));
        QCOMPARE(reader->BackgroundColour(), OleColor(0));
        QCOMPARE(reader->txtTarrowin->font().pointSizeF(), 22.0);
        QCOMPARE(reader->picTextXianShi->ForeColor(), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(reader->size(), designSize);
        QVERIFY(reader->mblnYouBianLan); // no setting: shown, as on a first start
    }

    void scrollSurfacesTakeANewLookAtOnce()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(300))->txtChaZhao->setText(QStringLiteral("这是第3句话"));
        frmRead *reader = f.open();
        reader->chkGunDong->setChecked(true);
        const QColor green(0x10, 0xC0, 0x20), blue(0x20, 0x30, 0xA0);
        QColor next = green;
        reader->setColourChooser([&next](QWidget *) { return std::optional<QColor>(next); });
        const QImage before = reader->picTextXianShi->Image();
        QCOMPARE(CountColour(before, green), 0);
        reader->mnuWenZi_Click();
        for (ScrollSurface *surface : {reader->picTextXianShi, reader->picTextGunDong}) {
            QVERIFY2(CountColour(surface->Image(), green) > 50, qPrintable(surface->objectName()));
            QCOMPARE(CountColour(surface->Image(), QColor(0xE0, 0xE0, 0xE0)), 0);
        }
        next = blue;
        reader->mnuBeiJing_Click();
        for (ScrollSurface *surface : {reader->picTextXianShi, reader->picTextGunDong})
            QVERIFY(CountColour(surface->Image(), blue) > surface->Image().width() * surface->Image().height() / 2);
        QCOMPARE(CountColour(reader->picTextXianShi->Image(), QColor(Qt::black)), 0);

        // A larger font draws the same lines larger: more ink on the frozen page.
        const int inkBefore = CountColour(reader->picTextXianShi->Image(), green);
        reader->setFontChooser([](QWidget *, const QFont &current) {
            QFont larger = current;
            larger.setPointSizeF(current.pointSizeF() * 2);
            return std::optional<QFont>(larger);
        });
        reader->mnuZiTiZiHao_Click();
        QVERIFY2(CountColour(reader->picTextXianShi->Image(), green) > inkBefore * 3 / 2,
                 qPrintable(QStringLiteral("%1 -> %2").arg(inkBefore).arg(CountColour(reader->picTextXianShi->Image(), green))));
    }

    void placeOffEveryScreenBroughtBackAndNeverWritten()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        mdlIniFile::WriteIniString(QStringLiteral("KANXIAOSHUO"), QStringLiteral("ZUOBIAN"), QStringLiteral("2147483640"));
        mdlIniFile::WriteIniString(QStringLiteral("KANXIAOSHUO"), QStringLiteral("SHANGBIAN"), QStringLiteral("-99999"));
        frmRead *reader = f.open();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(!f.tts->isVisible());
        QVERIFY2(screen.contains(reader->geometry()), qPrintable(QStringLiteral("%1,%2").arg(reader->x()).arg(reader->y())));
        reader->move(screen.right() + 300, 20);
        reader->close();
        QCOMPARE(f.setting("ZUOBIAN"), QStringLiteral("2147483640"));
        QCOMPARE(f.setting("SHANGBIAN"), QStringLiteral("-99999"));
        QCOMPARE(f.setting("KUANDU"), QStringLiteral("<none>"));
    }

    void exposedAsAWindowWithoutItsHiddenHelpers()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(reader);
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), reader->windowTitle());
        QVERIFY(!window->text(QAccessible::Name).isEmpty());
        const QList<MetControl> met = WalkWindow(reader);
        QCOMPARE(CountMet(met, QAccessible::Button, QStringLiteral("向下翻页")), 1); // the floating one lies under the page
        QCOMPARE(CountMet(met, QAccessible::CheckBox, QStringLiteral("滚动")), 1);
        for (const char *hidden : {"txtWeiZhi", "txtFenChangDu", "txtGunDong"})
            QVERIFY2(!std::any_of(met.begin(), met.end(), [&](const MetControl &c) { return c.name == QLatin1String(hidden); }),
                     hidden);
        QCOMPARE(window->indexOfChild(QAccessible::queryAccessibleInterface(reader->Frame1)), -1);
        // The find box under the page is not met, and no control goes by the program's own name.
        QCOMPARE(CountMet(met, QAccessible::EditableText, QStringLiteral("要查找的内容")), 0);
        for (const MetControl &control : met)
            QVERIFY2(!QRegularExpression(QStringLiteral("^[a-z]{3}[A-Z]")).match(control.name).hasMatch(), qPrintable(control.name));
    }

    // Tab passes over the find box and the page buttons that the page covers, and reaches the
    // find box once "更多显示" shows it.
    void tabPassesOverWhatThePageCovers()
    {
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        const QList<QWidget *> met = TabWalk(reader->txtTarrowin);
        QCOMPARE(met.last(), met.first());
        QVERIFY(met.contains(reader->txtYeShu[0]));
        for (QWidget *covered : {static_cast<QWidget *>(reader->txtChaZhao), static_cast<QWidget *>(reader->cmdFan[0]),
                                 static_cast<QWidget *>(reader->cmdFan[1])})
            QVERIFY2(!met.contains(covered), qPrintable(covered->objectName()));
        reader->chkGengDuoXianShi->setChecked(true);
        QVERIFY(TabWalk(reader->txtTarrowin).contains(reader->txtChaZhao));
        reader->close();
    }

    void qtTextsInChinese()
    {
        QVERIFY(InstallChineseQtTranslations(*QCoreApplication::instance()));
        ReaderFixture f;
        f.loadTts(NumberedNovel(50));
        frmRead *reader = f.open();
        QMenu *menu = OpenMenuAfter([&] { reader->txtTarrowin_MouseUp(Qt::RightButton, QPoint(20, 20)); });
        QVERIFY(menu);
        int edit = 0;
        for (const QAction *action : menu->actions()) {
            if (action == reader->mnuWenZi)
                break;
            if (action->isSeparator())
                continue;
            ++edit;
            QVERIFY2(HasChinese(action->text()), qPrintable(action->text()));
        }
        QVERIFY(edit >= 5);
        CloseMenus();
        QColorDialog colours;
        QVERIFY2(HasChinese(colours.windowTitle()), qPrintable(colours.windowTitle()));
        QFontDialog fonts;
        QVERIFY2(HasChinese(fonts.windowTitle()), qPrintable(fonts.windowTitle()));
    }
};

TARROWIN_TEST_MAIN(TestFrmReadWindow)
#include "tst_frmReadWindow.moc"
