#pragma once
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

// A program folder of its own for the built program: the executable copied in, and a runtime
// and config folder for the user it runs as.
struct ProgramFolderCopy
{
    QTemporaryDir dir;
    QString executable;

    ProgramFolderCopy()
    {
        executable = dir.filePath(QStringLiteral("Tarrowin"));
        QFile::copy(QStringLiteral(TARROWIN_EXECUTABLE), executable);
        QDir(dir.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(dir.path()).mkpath(QStringLiteral("config"));
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString lockPath() const { return path(QStringLiteral("runtime/Tarrowin.lock")); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        return env;
    }

    // Starts the program in its folder; the caller owns the process.
    QProcess *start(const QProcessEnvironment &env, const QStringList &arguments = {}) const
    {
        auto *p = new QProcess;
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(dir.path());
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(executable, arguments);
        p->waitForStarted();
        return p;
    }
};
