#include "PrivateSoundServer.h"
#include <QDir>
#include <QTest>

PrivateSoundServer::PrivateSoundServer() = default;

PrivateSoundServer::~PrivateSoundServer()
{
    kill();
}

QString PrivateSoundServer::address() const
{
    return QStringLiteral("unix:") + m_folder.filePath(QStringLiteral("native"));
}

QProcessEnvironment PrivateSoundServer::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_folder.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("PULSE_SERVER"), address());
    return env;
}

bool PrivateSoundServer::start()
{
    if (!m_folder.isValid())
        return false;
    QDir(m_folder.path()).mkdir(QStringLiteral("runtime"));
    QFile::setPermissions(m_folder.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_server.setProcessEnvironment(environment());
    m_server.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                    QStringLiteral("--system=false"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("--use-pid-file=no"),
                    QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=")
                        + m_folder.filePath(QStringLiteral("native")),
                    QStringLiteral("--load=module-null-sink sink_name=private_null"),
                    QStringLiteral("--load=module-always-sink")});
    if (!m_server.waitForStarted(3000))
        return false;
    if (!QTest::qWaitFor([this] { return QFile::exists(m_folder.filePath(QStringLiteral("native"))); }, 5000))
        return false;
    m_keepAlive.setProcessEnvironment(environment());
    m_keepAlive.setStandardInputFile(QStringLiteral("/dev/zero"));
    m_keepAlive.start(QStringLiteral("pacat"),
                      {QStringLiteral("--playback"), QStringLiteral("--format=s16le"),
                       QStringLiteral("--rate=22050"), QStringLiteral("--channels=1")});
    return m_keepAlive.waitForStarted(3000);
}

void PrivateSoundServer::kill()
{
    for (QProcess *process : {&m_keepAlive, &m_server}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
    QFile::remove(m_folder.filePath(QStringLiteral("native")));
}
