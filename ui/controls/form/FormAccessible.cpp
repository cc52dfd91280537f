#include "FormAccessible.h"
#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QMenu>
#include <QWidget>

namespace {
constexpr char kWindowProperty[] = "formAccessibleWindow";
constexpr char kNeverShownProperty[] = "formAccessibleNeverShown";

// The child widgets a container offers, as Qt offers them (no windows, menus or focus frames),
// without the controls that are never shown.
QList<QWidget *> OfferedChildren(const QWidget *container)
{
    QList<QWidget *> offered;
    for (QObject *object : container->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (!child || child->isWindow() || qobject_cast<QMenu *>(child) || qobject_cast<QFocusFrame *>(child)
            || child->objectName() == QLatin1String("qt_rubberband") || child->property(kNeverShownProperty).toBool())
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

// Windows marked as such, and plain containers (which may hold controls never shown). Other
// widgets keep what Qt and the controls' own factories give them.
QAccessibleInterface *Factory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType() || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
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
}

void HideFromAssistiveTools(QWidget *control)
{
    InstallFactory();
    control->setProperty(kNeverShownProperty, true);
}

}
