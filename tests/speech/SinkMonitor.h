#pragma once
#include <QByteArray>
#include <QProcess>

// Records what the sound server's default sink plays, from its monitor source, with parec.
class SinkMonitor
{
public:
    SinkMonitor();
    ~SinkMonitor();
    // False when parec could not record (no server, no parec).
    bool start();
    // Forgets what was recorded so far.
    void restart();
    // Root mean square of the 16-bit samples recorded since the last restart, 0 for none.
    double rms();
    qint64 recordedMilliseconds();

private:
    void collect();

    QProcess m_parec;
    QByteArray m_samples;
};

// True when a sound server answers (the voice then plays through it).
bool SoundServerReachable();
