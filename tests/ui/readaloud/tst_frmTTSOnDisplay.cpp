// The read-aloud window on a real display (the Xvfb of the test services): every size it allows
// walked, Tab walked round it, and what a screen reader meets in it.
#include "TestRegistry.h"
#include "ReadAloudFixture.h"
#include "mdlIniFile.h"
#include "ScreenReaderWalk.h"
#include "StatusLine.h"
#include "kxButtons_H.h"
#include <QApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <functional>
#include <tuple>

// The test runs on the Xvfb display when the test services give one; otherwise it is skipped.
class TestFrmTTSOnDisplay : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tarrowin_test::UseTestDisplay(); }
private slots:
    void initTestCase();
    void sizesWalkedNothingOverlapsOrIsCut();
    void tabAndScreenReaderMeetWhatIsShown();

private:
    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

void TestFrmTTSOnDisplay::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the Xvfb display of scripts/test-services.sh");
}

namespace {
// What is wrong at the window's present size: a control shown cut by its container, two that
// overlap, a button whose caption does not stand on one line.
QStringList Faults(QWidget *window)
{
    QStringList faults;
    for (QWidget *container : {window, window->findChild<QWidget *>(QStringLiteral("picButton"))}) {
        QList<QWidget *> shown;
        for (QObject *o : container->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && !w->isHidden())
                shown << w;
        for (int i = 0; i < shown.size(); ++i) {
            const QWidget *w = shown[i];
            if (!container->rect().contains(w->geometry()))
                faults << w->objectName() + QStringLiteral(" cut");
            if (auto *button = qobject_cast<const kxButtons_H *>(w); button && button->width() < button->OneLineCaptionWidth())
                faults << w->objectName() + QStringLiteral(" wraps");
            for (int j = i + 1; j < shown.size(); ++j)
                if (w->geometry().intersects(shown[j]->geometry()))
                    faults << w->objectName() + QLatin1Char('/') + shown[j]->objectName();
        }
    }
    return faults;
}

const char *const kAddedControls[] = {"cmdDaoChu", "cmdDingShi", "cmdShangYiZhang", "cmdMuLu", "cmdXiaYiZhang",
                                      "cmdDaKai", "cmdZuiJin", "lblBianMa", "cboBianMa", "cmdBianTingBianKan"};
}

// The window opens showing every control; from its smallest size to the screen's, with and
// without a status line, no control overlaps another or is cut, and no caption wraps.
void TestFrmTTSOnDisplay::sizesWalkedNothingOverlapsOrIsCut()
{
    ReadAloudFixture f;
    // With a home page set, so that its button takes its room too.
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("ZHUYE"), QStringLiteral("example.net"));
    frmTTS *w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    for (const char *name : kAddedControls)
        QVERIFY2(w->findChild<QWidget *>(QLatin1String(name))->isVisible(), name);
    QVERIFY2(Faults(w).isEmpty(), qPrintable(Faults(w).join(QLatin1Char(' '))));
    const QSize smallest = w->minimumSize();
    const QSize largest = screenArea().size() - QSize(40, 60);
    for (const bool status : {false, true}) {
        w->findChild<StatusLine *>()->say(status ? QStringLiteral("没有找到上次的位置，从头开始") : QString());
        for (const int width : {smallest.width(), (smallest.width() + largest.width()) / 2}) {
            for (int height = smallest.height(); height <= largest.height(); height += 3) {
                w->resize(width, height);
                const QStringList faults = Faults(w);
                QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1x%2: ").arg(width).arg(height) + faults.join(QLatin1Char(' '))));
            }
        }
    }
    w->resize(smallest);
    for (const char *name : {"cmdSpeak0", "cmdSpeak1", "cmdSpeak2", "cmdRead", "cmdPeiZhi", "lblLangDuBiLi",
                             "txtFenChangDu", "chkFenDuanDu", "cmdChaZhao", "cmdHomePage"})
        QVERIFY2(w->findChild<QWidget *>(QLatin1String(name))->isVisible(), name);
}

// Tab goes round every control shown, left pane top down, then the bar row by row, and lands on
// nothing unseen; a screen reader meets each control under a Chinese name of its own.
void TestFrmTTSOnDisplay::tabAndScreenReaderMeetWhatIsShown()
{
    ReadAloudFixture f;
    frmTTS *w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QList<QWidget *> walked = TabWalk(w->findChild<QWidget *>(QStringLiteral("txtLangDu")));
    QCOMPARE(walked.last(), walked.first());
    walked.removeLast();
    QWidget *bar = w->findChild<QWidget *>(QStringLiteral("picButton"));
    const auto place = [bar](const QWidget *c) { // the pane, then top, then left
        const QPoint at = c->mapTo(c->window(), QPoint(0, 0));
        return std::make_tuple(c->parentWidget() == bar, at.y(), at.x());
    };
    for (int i = 0; i < walked.size(); ++i) {
        QWidget *control = walked[i];
        QVERIFY2(control->isVisible() && w->childAt(control->mapTo(w, control->rect().center())) != nullptr,
                 qPrintable(control->objectName()));
        if (i > 0)
            QVERIFY2(place(walked[i - 1]) < place(control), qPrintable(control->objectName()));
    }
    const QRegularExpression objectName(QStringLiteral("^[a-z]{3}[A-Z]"));
    const QRegularExpression chinese(QStringLiteral("\\p{Han}"));
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface *control = node->child(i);
            const QString name = control->text(QAccessible::Name);
            QVERIFY2(chinese.match(name).hasMatch() && !objectName.match(name).hasMatch(),
                     qPrintable(QString::number(control->role()) + QLatin1Char(' ') + name));
            // Only a menu not opened is met out of sight. Its items, a text box's or a choice's
            // parts are met through it.
            QVERIFY(!control->state().invisible || control->role() == QAccessible::PopupMenu);
            const QAccessible::Role role = control->role();
            if (role != QAccessible::EditableText && role != QAccessible::ComboBox && role != QAccessible::PopupMenu)
                walk(control);
        }
    };
    walk(QAccessible::queryAccessibleInterface(w));
}

TARROWIN_TEST_MAIN(TestFrmTTSOnDisplay)

#include "tst_frmTTSOnDisplay.moc"
