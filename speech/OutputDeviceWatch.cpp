#include "OutputDeviceWatch.h"
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/subscribe.h>
#include <pulse/thread-mainloop.h>

OutputDeviceWatch::OutputDeviceWatch(QObject *parent) : QObject(parent)
{
    m_loop = pa_threaded_mainloop_new();
    m_context = m_loop ? pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Tarrowin output watch") : nullptr;
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, &OutputDeviceWatch::onContextState, this);
    pa_context_set_subscribe_callback(m_context, &OutputDeviceWatch::onEvent, this);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0)
        pa_threaded_mainloop_start(m_loop);
}

OutputDeviceWatch::~OutputDeviceWatch()
{
    if (m_loop)
        pa_threaded_mainloop_stop(m_loop);
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    if (m_loop)
        pa_threaded_mainloop_free(m_loop);
}

void OutputDeviceWatch::onContextState(pa_context *context, void *self)
{
    if (pa_context_get_state(context) != PA_CONTEXT_READY)
        return;
    auto *watch = static_cast<OutputDeviceWatch *>(self);
    const auto mask = pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER);
    pa_operation_unref(pa_context_subscribe(context, mask, nullptr, nullptr));
    watch->queryDefault();
}

void OutputDeviceWatch::onEvent(pa_context *, pa_subscription_event_type_t type, quint32 index, void *self)
{
    auto *watch = static_cast<OutputDeviceWatch *>(self);
    const int facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const int kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (facility == PA_SUBSCRIPTION_EVENT_SINK && kind == PA_SUBSCRIPTION_EVENT_REMOVE && index == watch->m_defaultIndex)
        watch->removed(index);
    else if (facility == PA_SUBSCRIPTION_EVENT_SINK && kind == PA_SUBSCRIPTION_EVENT_CHANGE && index == watch->m_defaultIndex)
        watch->queryPort(index);
    else if (facility == PA_SUBSCRIPTION_EVENT_SERVER)
        watch->queryDefault();
}

// Asks for the default output's name, then for its index.
void OutputDeviceWatch::queryDefault()
{
    auto onServer = [](pa_context *context, const pa_server_info *info, void *self) {
        if (!info || !info->default_sink_name)
            return;
        auto onSink = [](pa_context *, const pa_sink_info *sink, int eol, void *self) {
            if (eol == 0 && sink)
                static_cast<OutputDeviceWatch *>(self)->defaultIs(sink->index);
        };
        pa_operation_unref(pa_context_get_sink_info_by_name(context, info->default_sink_name, onSink, self));
    };
    pa_operation_unref(pa_context_get_server_info(m_context, onServer, this));
}

// A new default output: when it replaced one that no longer exists, that one went away (the
// server may announce the new default before it announces the removal).
void OutputDeviceWatch::defaultIs(quint32 index)
{
    queryPort(index);
    const quint32 previous = m_defaultIndex.exchange(index);
    if (previous == kNone || previous == index)
        return;
    m_previousIndex = previous;
    auto onOld = [](pa_context *context, const pa_sink_info *, int eol, void *self) {
        auto *watch = static_cast<OutputDeviceWatch *>(self);
        if (eol < 0 && pa_context_errno(context) == PA_ERR_NOENTITY)
            watch->removed(watch->m_previousIndex);
    };
    pa_operation_unref(pa_context_get_sink_info_by_index(m_context, previous, onOld, this));
}

void OutputDeviceWatch::removed(quint32 index)
{
    if (index == m_reportedIndex)
        return;
    m_reportedIndex = index;
    QMetaObject::invokeMethod(this, [this] { emit defaultOutputRemoved(); }, Qt::QueuedConnection);
}

bool OutputDeviceWatch::IsHeadphonesPort(const QString &name, int type)
{
    if (type == PA_DEVICE_PORT_TYPE_HEADPHONES || type == PA_DEVICE_PORT_TYPE_HEADSET)
        return true;
    return type == PA_DEVICE_PORT_TYPE_UNKNOWN
        && (name.contains(QLatin1String("headphone"), Qt::CaseInsensitive)
            || name.contains(QLatin1String("headset"), Qt::CaseInsensitive));
}

// Asks for the active port of the output at `index`.
void OutputDeviceWatch::queryPort(quint32 index)
{
    auto onSink = [](pa_context *, const pa_sink_info *sink, int eol, void *self) {
        if (eol != 0 || !sink)
            return;
        const pa_sink_port_info *port = sink->active_port;
        const bool headphones = port && IsHeadphonesPort(QString::fromUtf8(port->name), port->type);
        static_cast<OutputDeviceWatch *>(self)->portIs(sink->index, headphones);
    };
    pa_operation_unref(pa_context_get_sink_info_by_index(m_context, index, onSink, this));
}

// The same output, its sound moved off the headphones: reported once for each such move.
void OutputDeviceWatch::portIs(quint32 index, bool headphones)
{
    const bool left = index == m_portSink && m_onHeadphones && !headphones;
    m_portSink = index;
    m_onHeadphones = headphones;
    if (left)
        QMetaObject::invokeMethod(this, [this] { emit headphonesLeft(); }, Qt::QueuedConnection);
}
