#pragma once
#include <QAccessibleWidget>

class kxButtons_H;

// What assistive tools see of a styled button: its caption as name (unless it was given one), a push button, check box or
// radio button by its mode, its checked state, and a press action.
class kxButtonAccessible : public QAccessibleWidget
{
public:
    explicit kxButtonAccessible(kxButtons_H *button);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    // Registers the factory with Qt's accessibility once.
    static void Install();

private:
    kxButtons_H *Button() const;
};
