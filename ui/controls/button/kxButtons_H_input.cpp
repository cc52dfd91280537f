#include "kxButtonHost.h"
#include "kxButtons_H.h"
#include "kxButtonRules.h"
#include "kxInputCodes.h"
#include "kxOptionGroup.h"
#include "kxWidgetHandle.h"
#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>
#include <QTimer>

using namespace kxButton;
using namespace kxInputCodes;

// Events carry positions in the control's scale units: twips.
QPointF kxButtons_H::ToScaleUnits(const QPointF &pixels) const
{
    return pixels * (1440.0 / logicalDpiX());
}

QWidget *kxButtons_H::Container() const
{
    return kxWidgetHandle::Find(m_Tag.toUInt());
}

void kxButtons_H::WriteContainerTag()
{
    m_Tag = QString::number(kxWidgetHandle::Of(parentWidget()));
}

void kxButtons_H::ContainerChanged()
{
    // An option button follows its container into the new container's group.
    const bool inGroup = m_F.m_Mode == ModeOption;
    if (inGroup)
        RemoveFromGroup();
    WriteContainerTag();
    if (inGroup)
        AddToGroup();
}

bool kxButtons_H::Contains(const QPoint &pos) const
{
    return rect().contains(pos) && (mask().isEmpty() || mask().contains(pos));
}

bool kxButtons_H::PointerIsOnButton(const QPoint &globalPos) const
{
    return QApplication::widgetAt(globalPos) == this;
}

void kxButtons_H::PressHandling(short button, short shift, const QPointF &pos)
{
    m_F.m_LastButton = button;
    if (button == 1) {
        m_F.m_LeftHeld = true;
        SetState(kxButton::MouseDown, true);
        Refresh();
    }
    const QPointF at = ToScaleUnits(pos);
    float x = float(at.x()), y = float(at.y());
    emit MouseDown(button, shift, x, y);
}

void kxButtons_H::mousePressEvent(QMouseEvent *e)
{
    m_ClickArmed = true;
    PressHandling(MouseButton(e->button()), ShiftState(e->modifiers()), e->position());
}

void kxButtons_H::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_F.m_Hovering && PointerIsOnButton(e->globalPosition().toPoint()))
        StartHover(e->buttons() & Qt::LeftButton);
    short button = MouseButtons(e->buttons()), shift = ShiftState(e->modifiers());
    const QPointF at = ToScaleUnits(e->position());
    float x = float(at.x()), y = float(at.y());
    emit MouseMove(button, shift, x, y);
}

void kxButtons_H::mouseReleaseEvent(QMouseEvent *e)
{
    m_F.m_LeftHeld = false;
    short button = MouseButton(e->button()), shift = ShiftState(e->modifiers());
    if (button == 1) {
        SetState(kxButton::MouseDown, false);
        if (m_F.m_Mode == ModeCommand)
            Refresh();
    }
    const QPointF at = ToScaleUnits(e->position());
    float x = float(at.x()), y = float(at.y());
    QPointer<kxButtons_H> alive(this);
    emit MouseUp(button, shift, x, y);
    if (!alive)
        return;
    m_F.m_LastButton = button;
    // Only a press and release inside the button make a click; the release after a double
    // click does not.
    const bool click = m_ClickArmed && Contains(e->position().toPoint());
    m_ClickArmed = false;
    if (click)
        ClickHandling();
}

void kxButtons_H::mouseDoubleClickEvent(QMouseEvent *e)
{
    m_ClickArmed = false;
    short lastButton = m_F.m_LastButton;
    QPointer<kxButtons_H> alive(this);
    emit DoubleClick(lastButton);
    if (!alive)
        return;
    if (m_F.m_LastButton == 1) {
        PressHandling(1, ShiftState(e->modifiers()), e->position());
        m_F.m_LastButton = -1;
        return;
    }
    short button = 1, shift = 0;
    const QPointF at = ToScaleUnits(e->position());
    float x = float(at.x()), y = float(at.y());
    emit MouseDown(button, shift, x, y);
}

void kxButtons_H::ClickHandling()
{
    if (m_F.m_LastButton != 1)
        return;
    if (m_F.m_Mode == ModeCheckBox) {
        setValue(!m_F.m_Value);
    } else if (m_F.m_Mode == ModeOption) {
        if (m_F.m_Value)
            return;
        setValue(true);
    }
    emit Click();
}

void kxButtons_H::Activate()
{
    m_F.m_LastButton = 1;
    ClickHandling();
}

void kxButtons_H::StartHover(bool leftHeld)
{
    SetState(MouseOver, true);
    bool onButton = true;
    emit MouseOnButton(onButton);
    m_HoverTimer->start();
    m_F.m_Hovering = true;
    if (leftHeld)
        m_F.m_LeftHeld = true;
    Refresh();
}

void kxButtons_H::HoverCheck()
{
    // The hover lasts while this button is the topmost widget under the pointer: a widget lying
    // over it ends the hover as the pointer leaving does.
    if (PointerIsOnButton(QCursor::pos()))
        return;
    m_HoverTimer->stop();
    SetState(MouseOver, false);
    m_F.m_Hovering = false;
    bool onButton = false;
    QPointer<kxButtons_H> alive(this);
    emit MouseOnButton(onButton);
    if (!alive)
        return;
    m_F.m_LeftHeld = false;
    Refresh();
}

void kxButtons_H::ForwardArrowKey(const QKeyEvent *e)
{
    // The container (or a window above it) may use the arrow; otherwise it moves the focus the way
    // a container does for its own controls.
    QWidget *container = Container();
    QKeyEvent forwarded(QEvent::KeyPress, e->key(), e->modifiers());
    if (container && QApplication::sendEvent(container, &forwarded) && forwarded.isAccepted())
        return;
    const int key = VirtualKey(e->key());
    focusNextPrevChild(key == VkRight || key == VkDown);
}

void kxButtons_H::keyPressEvent(QKeyEvent *e)
{
    short code = short(VirtualKey(e->key())), shift = ShiftState(e->modifiers());
    QPointer<kxButtons_H> alive(this);
    // Enter alone presses the focused command button, as it does a standard button.
    const bool plainEnter = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool enterPress = code == VkEnter && plainEnter && m_F.m_Mode == ModeCommand && !e->isAutoRepeat();
    if (IsArrow(code)) {
        code = 0;
        ForwardArrowKey(e);
        if (!alive)
            return;
    } else if (code == VkSpace && !(m_F.m_State & kxButton::MouseDown)) {
        // The button draws pressed, then tracks the pointer again.
        m_F.m_LeftHeld = true;
        SetState(kxButton::MouseDown | MouseOver, true);
        Refresh();
        if (!m_F.m_Hovering)
            SetState(MouseOver, false);
    }
    if (code != 0)
        emit KeyDown(code, shift);
    if (alive && !e->text().isEmpty()) {
        short keyAscii = short(e->text().at(0).unicode());
        emit KeyPress(keyAscii);
    }
    e->setAccepted(code == VkSpace || enterPress || IsArrow(VirtualKey(e->key())));
    if (alive && enterPress)
        AccessKeyPress(VkEnter);
}

void kxButtons_H::keyReleaseEvent(QKeyEvent *e)
{
    if (e->isAutoRepeat())
        return;
    m_F.m_LeftHeld = false;
    short code = short(VirtualKey(e->key())), shift = ShiftState(e->modifiers());
    QPointer<kxButtons_H> alive(this);
    if (code == VkSpace && (m_F.m_State & kxButton::MouseDown)) {
        m_F.m_LastButton = 1;
        SetState(kxButton::MouseDown, false);
        if (m_F.m_Mode == ModeCommand) {
            Refresh();
            ClickHandling();
        } else {
            emit KeyUp(code, shift);
            if (alive)
                ClickHandling();
            code = 0;
        }
    } else if (IsArrow(code)) {
        code = 0;
        // Arrowing onto an option button selects it.
        if (m_F.m_Mode == ModeOption && !m_F.m_Value)
            Activate();
    } else if (code == VkShift) {
        code = 0;
    }
    if (alive && code != 0)
        emit KeyUp(code, shift);
}

void kxButtons_H::AccessKeyPress(int KeyAscii)
{
    const bool enterOrEscape = KeyAscii == VkEnter || KeyAscii == VkEscape;
    if (enterOrEscape && m_F.m_Mode != ModeCommand)
        return;
    if (!enterOrEscape && !(m_F.m_State & IsDefault))
        Refresh();
    Activate();
}

bool kxButtons_H::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut && m_AccessKeyId != 0
        && static_cast<QShortcutEvent *>(e)->shortcutId() == m_AccessKeyId) {
        AccessKeyPress(kxButtonRules::AccessKey(m_F.m_Caption).unicode());
        return true;
    }
    return QWidget::event(e);
}

void kxButtons_H::focusInEvent(QFocusEvent *e)
{
    QWidget::focusInEvent(e);
    QPointer<kxButtons_H> alive(this);
    AmbientChanged(QStringLiteral("DisplayAsDefault"));
    // The first option button to receive the focus in a group with none selected becomes selected.
    if (alive && m_F.m_Mode == ModeOption && !m_F.m_Value && !AnyInGroupChecked())
        Activate();
}

void kxButtons_H::focusOutEvent(QFocusEvent *e)
{
    QWidget::focusOutEvent(e);
    // Space held while the focus goes elsewhere: its release will not come here, so the press ends now.
    if ((m_F.m_State & kxButton::MouseDown) && !(QApplication::mouseButtons() & Qt::LeftButton)) {
        SetState(kxButton::MouseDown, false);
        m_F.m_LeftHeld = false;
    }
    AmbientChanged(QStringLiteral("DisplayAsDefault"));
}

void kxButtons_H::AmbientChanged(const QString &name)
{
    if (name.compare(QLatin1String("DisplayAsDefault"), Qt::CaseInsensitive) == 0) {
        const bool showAsDefault = Host().DisplayAsDefault(*this) && (m_F.m_ShowFocusRect || DesignMode());
        SetState(IsDefault, showAsDefault);
        const bool pictureShape = m_F.m_ButtonShape == ShapeCustom || m_F.m_ButtonShape == ShapeCustomAlt;
        if (pictureShape && !DesignMode()) {
            // A picture-shaped default button shows its hover outline; the hover state itself is kept.
            const bool hovering = m_F.m_Hovering;
            m_F.m_Hovering = showAsDefault;
            Refresh();
            m_F.m_Hovering = hovering;
        } else {
            Refresh();
        }
    } else if (name.compare(QLatin1String("BackColor"), Qt::CaseInsensitive) == 0) {
        if (m_F.m_ButtonShape >= 4 || m_F.m_ButtonStyle == 5)
            Refresh();
    }
}

bool kxButtons_H::CustomClickMove()
{
    const QPoint step = kxButtonRules::CustomClickOffset(m_F.m_CustomClick);
    if (m_F.m_Mode != ModeCommand || step.isNull())
        return false;
    const bool moved = m_F.m_State & CustomMoved;
    if (IsPressed() == moved)
        return false;
    move(pos() + (moved ? -step : step));
    SetState(CustomMoved, !moved);
    Refresh();
    return true;
}

void kxButtons_H::ClearOthersInGroup()
{
    for (QObject *member : kxOptionGroup::Members(Container())) {
        auto *button = qobject_cast<kxButtons_H *>(member);
        if (button && button != this && button->m_F.m_Value)
            button->setValue(false);
    }
}

void kxButtons_H::AddToGroup()
{
    if (m_F.m_Value)
        ClearOthersInGroup();
    kxOptionGroup::Add(Container(), this);
}

void kxButtons_H::RemoveFromGroup()
{
    QWidget *container = Container();
    if (kxOptionGroup::Count(container) > 0 && m_F.m_Value)
        ClearOthersInGroup();
    kxOptionGroup::Remove(container, this);
}

bool kxButtons_H::AnyInGroupChecked() const
{
    for (QObject *member : kxOptionGroup::Members(Container())) {
        auto *button = qobject_cast<kxButtons_H *>(member);
        if (button && button->m_F.m_Value)
            return true;
    }
    return false;
}

void kxButtons_H::RaiseDragOver(QDragMoveEvent *e, short state)
{
    qint32 effect = qint32(e->proposedAction());
    short button = MouseButtons(e->buttons()), shift = ShiftState(e->modifiers());
    const QPointF at = ToScaleUnits(e->position());
    float x = float(at.x()), y = float(at.y());
    emit OLEDragOver(e->mimeData(), effect, button, shift, x, y, state);
    e->setDropAction(Qt::DropAction(effect));
    e->setAccepted(effect != 0);
}

void kxButtons_H::dragEnterEvent(QDragEnterEvent *e)
{
    RaiseDragOver(e, 0);
}

void kxButtons_H::dragMoveEvent(QDragMoveEvent *e)
{
    RaiseDragOver(e, 2);
}

void kxButtons_H::dragLeaveEvent(QDragLeaveEvent *)
{
    qint32 effect = 0;
    short button = 0, shift = 0, state = 1;
    const QPointF at = ToScaleUnits(mapFromGlobal(QCursor::pos()));
    float x = float(at.x()), y = float(at.y());
    emit OLEDragOver(nullptr, effect, button, shift, x, y, state);
}

void kxButtons_H::dropEvent(QDropEvent *e)
{
    qint32 effect = qint32(e->proposedAction());
    short button = MouseButtons(e->buttons()), shift = ShiftState(e->modifiers());
    const QPointF at = ToScaleUnits(e->position());
    float x = float(at.x()), y = float(at.y());
    emit OLEDragDrop(e->mimeData(), effect, button, shift, x, y);
    e->setDropAction(Qt::DropAction(effect));
    e->setAccepted(effect != 0);
}
