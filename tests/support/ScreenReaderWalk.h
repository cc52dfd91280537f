#pragma once
#include <QAccessible>
#include <QApplication>
#include <QList>
#include <QString>
#include <QTest>
#include <QWidget>

// What a screen reader meets when it walks a window through the accessibility interface: every
// interface reachable from the window's by its children, in order, with its role, name and state.
struct MetControl
{
    QAccessible::Role role;
    QString name;
    QAccessible::State state;
};

inline void WalkChildren(QAccessibleInterface *node, QList<MetControl> &met)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child || !child->isValid())
            continue;
        met << MetControl{child->role(), child->text(QAccessible::Name), child->state()};
        WalkChildren(child, met);
    }
}

inline QList<MetControl> WalkWindow(QObject *window)
{
    QList<MetControl> met;
    if (QAccessibleInterface *top = QAccessible::queryAccessibleInterface(window))
        WalkChildren(top, met);
    return met;
}

inline int CountMet(const QList<MetControl> &met, QAccessible::Role role, const QString &name)
{
    int n = 0;
    for (const MetControl &control : met)
        n += control.role == role && control.name == name;
    return n;
}

// What a keyboard user meets pressing Tab from `start` once round its window (start first).
inline QList<QWidget *> TabWalk(QWidget *start)
{
    QApplication::setActiveWindow(start->window());
    start->setFocus();
    QList<QWidget *> met{QApplication::focusWidget()};
    for (int i = 0; i < 80 && !met.mid(0, met.size() - 1).contains(met.last()); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        met << QApplication::focusWidget();
    }
    return met;
}
