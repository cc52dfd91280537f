#pragma once
#include "kxButtonHost.h"
#include "kxButtons_H.h"
#include <QStringList>

// A host that is in design mode when asked, and records the messages and property-changed keys.
class RecordingHost : public kxButtonHost
{
public:
    bool designMode = false;
    QStringList messages;
    QStringList changedKeys;

    bool UserMode() const override { return !designMode; }
    void ShowInformation(const QString &text) override { messages << text; }
    void PropertyChanged(kxButtons_H &, const QString &key) override { changedKeys << key; }
};

// Records the button's events by name, in the order they are raised.
class EventLog
{
public:
    QStringList events;
    QList<bool> onButton;

    explicit EventLog(kxButtons_H &button)
    {
        QObject::connect(&button, &kxButtons_H::MouseDown, [this](short &b, short &, float &, float &) { events << QStringLiteral("MouseDown%1").arg(b); });
        QObject::connect(&button, &kxButtons_H::MouseUp, [this](short &b, short &, float &, float &) { events << QStringLiteral("MouseUp%1").arg(b); });
        QObject::connect(&button, &kxButtons_H::KeyDown, [this](short &k, short &) { events << QStringLiteral("KeyDown%1").arg(k); });
        QObject::connect(&button, &kxButtons_H::KeyPress, [this](short &k) { events << QStringLiteral("KeyPress%1").arg(k); });
        QObject::connect(&button, &kxButtons_H::KeyUp, [this](short &k, short &) { events << QStringLiteral("KeyUp%1").arg(k); });
        QObject::connect(&button, &kxButtons_H::MouseOnButton, [this](bool &on) {
            onButton << on;
            events << (on ? QStringLiteral("OnButton") : QStringLiteral("OffButton"));
        });
        QObject::connect(&button, &kxButtons_H::Click, [this] { events << QStringLiteral("Click"); });
        QObject::connect(&button, &kxButtons_H::DoubleClick, [this](short &b) { events << QStringLiteral("DoubleClick%1").arg(b); });
    }
    int count(const QString &name) const { return events.count(name); }
    void clear() { events.clear(); onButton.clear(); }
};
