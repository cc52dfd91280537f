// The reader's start and close with the hand-over to and from the read-aloud window, and its
// keys and mouse commands.
#include "FormGeometry.h"
#include "FormTimer.h"
#include "PageSession.h"
#include "ScrollSurface.h"
#include "SideFileWriter.h"
#include "TextBox.h"
#include "frmRead.h"
#include "ReadAloudSide.h"
#include "kxButtons_H.h"
#include "kxColour.h"
#include <QWheelEvent>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <cmath>

namespace {

qint32 ReadSetting(const char *key, qint32 defaultValue)
{
    return frmRead::Settings().ReadInteger(QLatin1String(key), defaultValue);
}

void WriteSetting(const char *key, const QString &value)
{
    frmRead::Settings().Write(QLatin1String(key), value);
}

}

const FormSettings &frmRead::Settings()
{
    static const FormSettings settings(QStringLiteral("KANXIAOSHUO"));
    return settings;
}

void frmRead::setVisible(bool visible)
{
    if (!visible || m_loaded || isVisible()) {
        QWidget::setVisible(visible);
        return;
    }
    m_loaded = true;
    Form_Load();
}

void frmRead::Form_Load()
{
    ResetToDesign();
    mblnYouBianLan = ReadSetting("YOUBIANLAN", -1) != 0;
    cmdYouBianLan->setCaption(mblnYouBianLan ? QStringLiteral("隐") : QStringLiteral("显"));
    ShowChapterInTitle();
    RestoreGeometry();
    RestoreLook();
    ApplyTextAppearance();
    QWidget::setVisible(true);
    picButton_Resize();
    RequestChapters();
    ShowEncoding();
    m_pages->openAt(m_tts->place()); // at the bytes of the read-aloud side's place when its text stands there
    SetScrollInterval(ReadSetting("GUNDONGSUDU", m_scrollInterval));
}

// A load starts from the design-time state of the controls, as a window made anew would.
void frmRead::ResetToDesign()
{
    const QSignalBlocker pageBox(txtTarrowin);
    const QSignalBlocker searchBox(txtChaZhao);
    const QSignalBlocker position(txtWeiZhi);
    const QSignalBlocker scrolling(chkGunDong);
    m_pages->clear();
    for (TextBox *count : txtYeShu)
        count->setText(QStringLiteral("1"));
    lblLangDuBiLi->setText(QStringLiteral("0"));
    SetScrollInterval(100);
    chkGunDong->setChecked(false);
    tmrGunDong->setEnabled(false);
    tmrGunDongTiShi->setEnabled(false);
    for (QWidget *hidden : {static_cast<QWidget *>(picTextXianShi), static_cast<QWidget *>(picTextGunDong),
                            static_cast<QWidget *>(cmdlblGunDong), static_cast<QWidget *>(cmdYouBianLan)})
        hidden->hide();
    for (kxButtons_H *speed : cmdGunDong)
        speed->setEnabled(false);
    const QSignalBlocker more(chkGengDuoXianShi);
    chkGengDuoXianShi->setChecked(false);
    for (kxButtons_H *turn : cmdFan)
        turn->show();
    ApplyDesignLook();
}

void frmRead::RestoreGeometry()
{
    RestoreFormGeometry(this, Settings());
}

void frmRead::RestoreLook()
{
    QFont font = txtTarrowin->font();
    font.setFamily(Settings().ReadString(QStringLiteral("ZITI"), font.family()));
    // A stored size no font dialog offers (not positive, or past any screen) keeps the current one.
    constexpr qint32 LargestPointSize = 1000;
    const qint32 current = qint32(std::lround(font.pointSizeF()));
    const qint32 stored = ReadSetting("ZIHAO", current);
    font.setPointSizeF(stored > 0 && stored <= LargestPointSize ? stored : current);
    txtTarrowin->setFont(font);
    setTextColour(OleColor(ReadSetting("SEWENZI", qint32(m_textColour))));
    setBackgroundColour(OleColor(ReadSetting("SEBEIJING", qint32(m_backgroundColour))));
}

void frmRead::closeEvent(QCloseEvent *event)
{
    if (m_loaded)
        Form_Unload();
    event->accept();
}

void frmRead::Form_Unload()
{
    m_loaded = false;
    tmrGunDong->setEnabled(false);
    tmrGunDongTiShi->setEnabled(false);
    if (!m_pages->placeText().isEmpty()) // an emptied search box keeps the bookmark there was
        m_tts->sideFiles()->write(SideFile(QStringLiteral(".kan")), m_pages->placeText());
    SaveSettings();
    // Opened beside the voice, the reader only closes; opened in its place (the read-aloud window
    // hidden), it hands its page back.
    const bool handBack = !m_pages->besideVoice() || !m_tts->isShown();
    EndFollowAlong();
    if (handBack)
        HandBack();
    m_tts->sideFiles()->flush();
}

void frmRead::SaveSettings()
{
    WriteSetting("YOUBIANLAN", mblnYouBianLan ? QStringLiteral("-1") : QStringLiteral("0"));
    WriteSetting("SEWENZI", QString::number(qint32(m_textColour)));
    WriteSetting("SEBEIJING", QString::number(qint32(m_backgroundColour)));
    SaveFormGeometry(this, Settings());
}

// Hands the place back to the read-aloud window; an empty search box hands nothing, so that the
// read-aloud window keeps its own place instead of going back to the start of the file.
void frmRead::HandBack()
{
    m_tts->handBack(m_pages->place());
}

void frmRead::Form_KeyUp(int keyCode)
{
    switch (keyCode) {
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        cmdRead_Click(0);
        break;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        cmdRead_Click(1);
        break;
    case Qt::Key_F2:
    case Qt::Key_End:
        chkGunDong->setChecked(!chkGunDong->isChecked());
        break;
    case Qt::Key_Up:
        if (chkGunDong->isChecked())
            cmdGunDong_Click(0);
        break;
    case Qt::Key_Down:
        if (chkGunDong->isChecked())
            cmdGunDong_Click(1);
        break;
    default:
        break;
    }
}

void frmRead::txtTarrowin_DblClick()
{
    chkGunDong->setChecked(true);
}

// The right button released over the page box: the pop-up menu, unless its press already brought
// it (as under X11, where a context menu comes with the press).
void frmRead::txtTarrowin_MouseUp(Qt::MouseButton button, QPoint position)
{
    if (button == Qt::RightButton)
        ShowPopUpMenu(txtTarrowin->viewport()->mapToGlobal(position));
}

// A context menu asked for from the keyboard on another control of the window (the Menu key on a
// button, say): the same pop-up menu. The right button elsewhere keeps its own meaning (it stops
// the automatic scrolling on the scroll surfaces).
void frmRead::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Keyboard)
        ShowPopUpMenu(event->globalPos());
    else
        event->ignore();
}

// Shift+F10 asks the control with the focus for its context menu, as the Menu key does.
bool frmRead::ContextMenuKey(QObject *watched, const QKeyEvent *key)
{
    QWidget *focus = QApplication::focusWidget();
    if (watched != focus || key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier)
        return false;
    const QRect caret = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint at = caret.isValid() ? caret.center() : focus->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
    QApplication::sendEvent(focus, &request);
    return true;
}

// Key releases are taken where they are first delivered (the focus widget, or the window), so
// that one release that travels up to the window is handled once. The page box's context menu,
// by mouse or keyboard, is the pop-up menu with the edit items in it.
bool frmRead::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        QWidget *receiver = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        if (watched == receiver && !key->isAutoRepeat())
            Form_KeyUp(key->key());
        return false;
    }
    if (event->type() == QEvent::KeyPress)
        return ContextMenuKey(watched, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::ContextMenu && (watched == txtTarrowin || watched == txtTarrowin->viewport())) {
        ShowPopUpMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    if (watched != txtTarrowin->viewport())
        return false;
    // The wheel over the page turns pages; the page box itself never scrolls.
    if (event->type() == QEvent::Wheel) {
        TurnPagesByWheel(static_cast<QWheelEvent *>(event)->angleDelta().y());
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        txtTarrowin_MouseUp(mouse->button(), mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseMove) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        txtTarrowin_MouseMove(txtTarrowin->viewport()->mapTo(txtTarrowin, mouse->position().toPoint()));
    }
    return false;
}
