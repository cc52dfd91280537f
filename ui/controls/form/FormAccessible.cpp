#include "FormAccessible.h"
#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusEvent>
#include <QFocusFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace {
constexpr char kWindowProperty[] = "formAccessibleWindow";
constexpr char kNeverShownProperty[] = "formAccessibleNeverShown";
constexpr char kCaptionProperty[] = "formAccessibleCaption";

// Lies wholly outside its container, or under a sibling shown above it (later among the
// container's children: raising a widget moves it to their end).
bool OutOfSight(const QWidget *w)
{
    const QWidget *container = w->parentWidget();
    if (!container || w->isWindow())
        return false;
    const QRect place = w->geometry();
    if (!place.intersects(container->rect()))
        return true;
    const QObjectList &siblings = container->children();
    for (qsizetype i = siblings.indexOf(const_cast<QWidget *>(w)) + 1; i < siblings.size(); ++i) {
        const auto *above = qobject_cast<const QWidget *>(siblings.at(i));
        if (above && !above->isWindow() && !above->isHidden() && above->geometry().contains(place))
            return true;
    }
    return false;
}

// The child widgets a container offers, as Qt offers them (no windows, menus or focus frames),
// without the controls that are never shown.
QList<QWidget *> OfferedChildren(const QWidget *container)
{
    QList<QWidget *> offered;
    for (QObject *object : container->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (!child || child->isWindow() || qobject_cast<QMenu *>(child) || qobject_cast<QFocusFrame *>(child)
            || child->objectName() == QLatin1String("qt_rubberband") || child->property(kNeverShownProperty).toBool()
            || child->isHidden() || OutOfSight(child))
            continue;
        offered << child;
    }
    return offered;
}

class FormPartAccessible : public QAccessibleWidget
{
public:
    FormPartAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    int childCount() const override { return int(OfferedChildren(widget()).size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> offered = OfferedChildren(widget());
        return index >= 0 && index < offered.size() ? QAccessible::queryAccessibleInterface(offered.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        auto *childWidget = child ? qobject_cast<QWidget *>(child->object()) : nullptr;
        return childWidget ? int(OfferedChildren(widget()).indexOf(childWidget)) : -1;
    }
};

// A label met as its caption followed by its text.
class ValueLabelAccessible : public QAccessibleWidget
{
public:
    explicit ValueLabelAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<const QLabel *>(widget());
        if (t == QAccessible::Name)
            return label->property(kCaptionProperty).toString() + QLatin1Char(' ') + label->text();
        if (t == QAccessible::Value)
            return label->text();
        return QAccessibleWidget::text(t);
    }
};

// Tab and Shift+Tab pass over a control of a marked window that cannot be seen, to the next one
// in the same direction that can.
class FocusOnSeen : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusIn || !watched->isWidgetType())
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        auto *widget = static_cast<QWidget *>(watched);
        if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
            || !widget->window()->property(kWindowProperty).toBool() || FormAccessible::IsSeen(widget))
            return false;
        QWidget *next = widget;
        do {
            next = reason == Qt::TabFocusReason ? next->nextInFocusChain() : next->previousInFocusChain();
        } while (next != widget
                 && !(next->window() == widget->window() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)
                      && FormAccessible::IsSeen(next)));
        if (next == widget)
            return false;
        next->setFocus(reason);
        return true;
    }
};

// Windows marked as such, plain containers (which may hold controls never shown) and labels with
// a caption. Other widgets keep what Qt and the controls' own factories give them.
QAccessibleInterface *Factory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType() || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (auto *label = qobject_cast<QLabel *>(object); label && label->property(kCaptionProperty).isValid())
        return new ValueLabelAccessible(label);
    if (widget->property(kWindowProperty).toBool())
        return new FormPartAccessible(widget, QAccessible::Window);
    if (object->metaObject() == &QWidget::staticMetaObject)
        return new FormPartAccessible(widget, QAccessible::Client);
    return nullptr;
}

void InstallFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}
}

namespace FormAccessible {

void ExposeAsWindow(QWidget *form)
{
    InstallFactory();
    form->setProperty(kWindowProperty, true);
    form->setWindowIcon(QIcon(QStringLiteral(":/icons/tarrowin.svg")));
    static FocusOnSeen *const filter = [] {
        auto *made = new FocusOnSeen(qApp);
        qApp->installEventFilter(made);
        return made;
    }();
    Q_UNUSED(filter);
}

bool IsSeen(const QWidget *control)
{
    if (!control->isVisible())
        return false;
    for (const QWidget *w = control; w && !w->isWindow(); w = w->parentWidget())
        if (OutOfSight(w))
            return false;
    return true;
}

void NameControls(QWidget *form, const std::vector<std::pair<const char *, QString>> &names)
{
    for (const auto &[objectName, name] : names)
        if (auto *control = form->findChild<QWidget *>(QLatin1String(objectName)))
            control->setAccessibleName(name);
}

void NameWithValue(QLabel *label, const QString &caption)
{
    InstallFactory();
    label->setProperty(kCaptionProperty, caption);
    label->setAccessibleName(caption);
}

void HideFromAssistiveTools(QWidget *control)
{
    InstallFactory();
    control->setProperty(kNeverShownProperty, true);
}

}
