#pragma once
#include "FakeVoice.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "SideFileWriter.h"
#include "TextBox.h"
#include "frmTTS.h"
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

// A read-aloud window over a temporary program folder, with a fake voice the test drives.
struct ReadAloudFixture
{
    QTemporaryDir dir;
    std::unique_ptr<frmTTS> window;
    FakeVoice *voice = nullptr;

    ReadAloudFixture() { SetProgramFolder(dir.path()); }

    QString path(const QString &name) const { return dir.filePath(name); }

    void writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path(name)));
    }
    void writeText(const QString &name, const QString &text) const { writeBytes(name, Gbk::fromUnicode(text)); }
    // A file's bytes, once the window's side-file writes that wait are done.
    QByteArray readBytes(const QString &name) const
    {
        if (window)
            window->SideFiles()->flush();
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Makes and loads the window with a fake voice; `withVoice` false stands for a voice that
    // cannot be created.
    frmTTS *load(bool withVoice = true)
    {
        return loadWith([this, withVoice]() -> std::unique_ptr<SpeechVoice> {
            if (!withVoice)
                return nullptr;
            auto v = std::make_unique<FakeVoice>();
            voice = v.get();
            return v;
        });
    }

    frmTTS *loadWith(frmTTS::VoiceFactory factory)
    {
        window = std::make_unique<frmTTS>();
        window->setInstanceLockPath(path(QStringLiteral("instance.lock")));
        window->setVoiceFactory(std::move(factory));
        if (!window->Form_Load())
            qFatal("the window did not load");
        return window.get();
    }

    // Chooses a text file as a user would, through the file-name box.
    void choose(const QString &name) const { window->txtFilePathName->setText(name); }

    static void deliverEvents() { QCoreApplication::processEvents(); }
};
