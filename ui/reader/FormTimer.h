#pragma once
#include <QObject>
#include <QTimer>

// A window timer as the windows know it: enabled or not, with an interval in milliseconds. It
// fires every interval while enabled, and never while its interval is 0 or less, so a bad
// interval leaves it still instead of spinning. Enabling it (from disabled), or changing its
// interval while it runs, starts the interval anew.
class FormTimer : public QObject
{
    Q_OBJECT
public:
    explicit FormTimer(int interval, QObject *parent = nullptr);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int Interval() const { return m_interval; }
    void setInterval(int interval);
    // True while it will fire.
    bool Running() const { return m_timer.isActive(); }

signals:
    void Timer();

private:
    void Update();

    QTimer m_timer;
    bool m_enabled = false;
    int m_interval;
};
