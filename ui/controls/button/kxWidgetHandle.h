#pragma once
#include <QtGlobal>

class QWidget;

// A window handle for widgets: a number given to a widget on first request, kept for its lifetime
// and never reused, so it can be written as decimal text and turned back into the widget. It stands
// in for a native window handle without making the widget a native window.
namespace kxWidgetHandle {

quint32 Of(QWidget *widget);       // 0 for no widget
QWidget *Find(quint32 handle);     // null when the widget is gone or the number was never given

}
