#pragma once
#include <QProcess>
#include <QTemporaryDir>

// A PulseAudio server of this test alone, with a null sink kept running by one silent stream,
// so that the test can end it (and start it again) without disturbing anyone else's sound.
class PrivateSoundServer
{
public:
    PrivateSoundServer();
    ~PrivateSoundServer();
    // False when pulseaudio or pacat is missing or does not come up.
    bool start();
    void kill();
    // What the client side must set in PULSE_SERVER before its first use of sound.
    QString address() const;

private:
    QProcessEnvironment environment() const;

    QTemporaryDir m_folder;
    QProcess m_server;
    QProcess m_keepAlive;
};
