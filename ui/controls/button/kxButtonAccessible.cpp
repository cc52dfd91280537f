#include "kxButtonAccessible.h"
#include "kxButtonRules.h"
#include "kxButtons_H.h"
#include <QKeySequence>

namespace {
QAccessible::Role RoleOf(qint32 mode)
{
    switch (mode) {
    case kxButton::ModeCheckBox: return QAccessible::CheckBox;
    case kxButton::ModeOption: return QAccessible::RadioButton;
    default: return QAccessible::Button;
    }
}

QAccessibleInterface *Factory(const QString &, QObject *object)
{
    if (auto *button = qobject_cast<kxButtons_H *>(object))
        return new kxButtonAccessible(button);
    return nullptr;
}
}

kxButtonAccessible::kxButtonAccessible(kxButtons_H *button) : QAccessibleWidget(button, RoleOf(button->Mode())) {}

kxButtons_H *kxButtonAccessible::Button() const
{
    return static_cast<kxButtons_H *>(widget());
}

QAccessible::Role kxButtonAccessible::role() const
{
    return RoleOf(Button()->Mode());
}

QString kxButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) // a name given to the button, else its caption
        return Button()->accessibleName().isEmpty() ? kxButtonRules::PlainCaption(Button()->Caption())
                                                    : Button()->accessibleName();
    return QAccessibleWidget::text(t);
}

QAccessible::State kxButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    const kxButtons_H *button = Button();
    s.checkable = button->Mode() != kxButton::ModeCommand;
    s.checked = button->Value();
    s.pressed = button->IsPressed();
    return s;
}

QStringList kxButtonAccessible::actionNames() const
{
    return {pressAction()};
}

void kxButtonAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && Button()->isEnabled())
        Button()->Activate();
}

QStringList kxButtonAccessible::keyBindingsForAction(const QString &actionName) const
{
    const QChar key = kxButtonRules::AccessKey(Button()->Caption());
    if (actionName != pressAction() || key.isNull())
        return {};
    return {QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode()))).toString()};
}

void kxButtonAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}
