#pragma once
#include <QPoint>
#include <QRect>
#include <QString>

struct _XDisplay;

// A user at an X display: finds top-level windows by title, moves the pointer and clicks through
// the XTEST extension, and closes a window as a window manager's close button does.
class XUser
{
public:
    explicit XUser(const QString &display);
    ~XUser();
    XUser(const XUser &) = delete;
    XUser &operator=(const XUser &) = delete;

    bool connected() const { return m_display != nullptr; }
    // The top-level window whose title is `title` (or begins with it, for `prefix`), other than
    // `besides` (a second window of the same title); 0 when there is none.
    unsigned long findWindow(const QString &title, bool prefix = false, unsigned long besides = 0) const;
    QRect geometry(unsigned long window) const; // in screen coordinates
    // A click of a mouse button (1 left, 2 middle, 3 right) at a point of the screen.
    void click(QPoint at, unsigned int button = 1);
    void doubleClick(QPoint at);
    // A key pressed and released (an X key symbol), with Shift held when asked.
    void typeKey(unsigned long keySymbol, bool withShift = false);
    void closeWindow(unsigned long window);

private:
    QString title(unsigned long window) const;
    void press(QPoint at, unsigned int button);
    _XDisplay *m_display = nullptr;
};
