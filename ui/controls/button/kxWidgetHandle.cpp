#include "kxWidgetHandle.h"
#include <QHash>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace kxWidgetHandle {

namespace {
const char HandleProperty[] = "kx_Handle";

QHash<quint32, QPointer<QWidget>> &Registry()
{
    static QHash<quint32, QPointer<QWidget>> registry;
    return registry;
}
}

quint32 Of(QWidget *widget)
{
    if (!widget)
        return 0;
    const QVariant known = widget->property(HandleProperty);
    if (known.isValid())
        return known.toUInt();
    static quint32 lastHandle = 0;
    const quint32 handle = ++lastHandle;
    widget->setProperty(HandleProperty, handle);
    Registry().insert(handle, widget);
    QObject::connect(widget, &QObject::destroyed, [handle] { Registry().remove(handle); });
    return handle;
}

QWidget *Find(quint32 handle)
{
    return Registry().value(handle);
}

}
