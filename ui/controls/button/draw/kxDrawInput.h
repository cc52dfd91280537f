#pragma once
#include "kxButtonFields.h"
#include <QFont>
#include <QPalette>
#include <QSize>

// Everything a button's picture depends on: its fields and what the control window holds.
struct kxDrawInput
{
    kxButtonFields fields;
    QSize size;
    QFont font;
    OleColor foreColor = kxButton::SystemButtonText;
    bool enabled = true;
    bool designMode = false; // the host is not in user mode
    QSize screen{1024, 768}; // the screen's extent in pixels
    QPalette palette;        // where system colours are looked up
};
