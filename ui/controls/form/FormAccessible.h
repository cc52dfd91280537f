#pragma once

#include <QString>
#include <utility>
#include <vector>

class QLabel;
class QWidget;

// What assistive tools (a screen reader) see of the program's windows.
namespace FormAccessible {

// The window is offered as a window (a frame, to AT-SPI), named by its title, so that a screen
// reader can say which window came up; it carries the program's icon. The keyboard and screen readers meet only what the window
// shows: a control hidden, lying outside its container or wholly covered by a control above it
// is not offered, and Tab passes over it.
void ExposeAsWindow(QWidget *form);

// Whether the control can be seen: shown, and neither it nor a container of it lies wholly
// outside its container or under a control shown above it.
bool IsSeen(const QWidget *control);

// Controls of the window named for screen readers, found by their object names.
void NameControls(QWidget *form, const std::vector<std::pair<const char *, QString>> &names);

// A label whose text is a value (a percentage, a speed) is met as "caption value".
void NameWithValue(QLabel *label, const QString &caption);

// A control that is never shown, kept only to hold state, is left out of the controls a screen
// reader walks, as if it were not there.
void HideFromAssistiveTools(QWidget *control);

}
