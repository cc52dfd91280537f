#include "XUser.h"
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <thread>

// The two calls of the XTEST client library used here (libXtst), declared as it declares them.
extern "C" {
int XTestFakeMotionEvent(Display *display, int screen, int x, int y, unsigned long delay);
int XTestFakeButtonEvent(Display *display, unsigned int button, int isPress, unsigned long delay);
int XTestFakeKeyEvent(Display *display, unsigned int keycode, int isPress, unsigned long delay);
}

XUser::XUser(const QString &display) : m_display(XOpenDisplay(display.toLocal8Bit().constData())) {}

XUser::~XUser()
{
    if (m_display)
        XCloseDisplay(m_display);
}

QString XUser::title(unsigned long window) const
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    const Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    QString name;
    if (XGetWindowProperty(m_display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data)
            == Success
        && data) {
        name = QString::fromUtf8(reinterpret_cast<const char *>(data), int(count));
        XFree(data);
    }
    return name;
}

unsigned long XUser::findWindow(const QString &wanted, bool prefix, unsigned long besides) const
{
    if (!m_display)
        return 0;
    Window root = 0, parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    unsigned long found = 0;
    if (XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            XWindowAttributes attributes;
            if (children[i] != besides && XGetWindowAttributes(m_display, children[i], &attributes)
                && attributes.map_state == IsViewable
                && (prefix ? title(children[i]).startsWith(wanted) : title(children[i]) == wanted))
                found = children[i];
        }
        XFree(children);
    }
    return found;
}

QRect XUser::geometry(unsigned long window) const
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(m_display, window, &a))
        return {};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {x, y, a.width, a.height};
}

void XUser::press(QPoint at, unsigned int button)
{
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), at.x(), at.y(), 0);
    XTestFakeButtonEvent(m_display, button, True, 0);
    XTestFakeButtonEvent(m_display, button, False, 0);
    XFlush(m_display);
}

void XUser::click(QPoint at, unsigned int button)
{
    press(at, button);
}

void XUser::doubleClick(QPoint at)
{
    press(at, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    press(at, 1);
}

void XUser::typeKey(unsigned long keySymbol, bool withShift)
{
    const unsigned int shift = XKeysymToKeycode(m_display, XK_Shift_L);
    const unsigned int key = XKeysymToKeycode(m_display, keySymbol);
    if (withShift)
        XTestFakeKeyEvent(m_display, shift, True, 0);
    XTestFakeKeyEvent(m_display, key, True, 0);
    XTestFakeKeyEvent(m_display, key, False, 0);
    if (withShift)
        XTestFakeKeyEvent(m_display, shift, False, 0);
    XFlush(m_display);
}

void XUser::closeWindow(unsigned long window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XFlush(m_display);
}
