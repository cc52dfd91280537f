#pragma once
#include <QObject>
#include <QString>
#include <pulse/def.h>
#include <atomic>

struct pa_context;
struct pa_threaded_mainloop;

// Watches the sound server for the disappearance of the output that sound goes to by default:
// headphones unplugged, a Bluetooth headset switched off, or a jack that moves the same sound card
// from its headphones port to its speakers. Listeners expect reading to pause then, rather than
// carry on from the speakers. A connection of its own to the server, so that
// it works whichever output the voice plays through; without a server it never reports.
class OutputDeviceWatch : public QObject
{
    Q_OBJECT
public:
    explicit OutputDeviceWatch(QObject *parent = nullptr);
    ~OutputDeviceWatch() override;
    OutputDeviceWatch(const OutputDeviceWatch &) = delete;
    OutputDeviceWatch &operator=(const OutputDeviceWatch &) = delete;

    // True once the watch knows the default output, so that a removal can be reported.
    bool isWatching() const { return m_defaultIndex.load() != kNone; }

    // Whether an output port is one worn on the head (headphones or a headset), by its type or,
    // for a server that does not tell the type, by its name.
    static bool IsHeadphonesPort(const QString &name, int type);

signals:
    // The default output went away; reported once for each output, on this object's thread.
    void defaultOutputRemoved();
    // The default output's sound moved from a headphones port to another port (the speakers).
    void headphonesLeft();

private:
    static constexpr quint32 kNone = 0xffffffffu;
    static void onContextState(pa_context *context, void *self);
    static void onEvent(pa_context *context, pa_subscription_event_type_t type, quint32 index, void *self);
    void queryDefault();
    void defaultIs(quint32 index);
    void removed(quint32 index);
    void queryPort(quint32 index);
    void portIs(quint32 index, bool headphones);

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    std::atomic<quint32> m_defaultIndex{kNone};
    // Used on the server's thread only:
    quint32 m_previousIndex = kNone;
    quint32 m_reportedIndex = kNone;
    quint32 m_portSink = kNone;    // the output whose port is known
    bool m_onHeadphones = false;   // and whether that port is headphones
};
