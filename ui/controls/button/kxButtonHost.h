#pragma once
#include "kxButtonFields.h"
#include <QString>

class kxButtons_H;

// What a styled button asks of the program that hosts it. The standard host is the running
// program: user mode, no messages, nobody to tell of property changes. A form designer, or a
// test, supplies its own.
class kxButtonHost
{
public:
    virtual ~kxButtonHost() = default;

    // False while the host designs its forms (design mode).
    virtual bool UserMode() const { return true; }
    // An information box without title; only shown in design mode.
    virtual void ShowInformation(const QString &) {}
    // The property stored under this key changed, so the host's design data is out of date.
    virtual void PropertyChanged(kxButtons_H &, const QString &) {}
    // The container's BackColor, the default face colour of a loaded button: the colour its
    // palette gives its background, or the system button face when it keeps the system's.
    virtual OleColor AmbientBackColor(const kxButtons_H &button) const;
    // Whether the host shows this button as its container's default button.
    virtual bool DisplayAsDefault(const kxButtons_H &button) const;

    static kxButtonHost &Standard();
};
