#pragma once

class QWidget;

// What assistive tools (a screen reader) see of the program's windows.
namespace FormAccessible {

// The window is offered as a window (a frame, to AT-SPI), named by its title, so that a screen
// reader can say which window came up.
void ExposeAsWindow(QWidget *form);

// A control that is never shown, kept only to hold state, is left out of the controls a screen
// reader walks, as if it were not there.
void HideFromAssistiveTools(QWidget *control);

}
