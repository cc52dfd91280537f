#pragma once
#include "FakeVoice.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "SideFileWriter.h"
#include "TextBox.h"
#include "frmRead.h"
#include "frmTTS.h"
#include "mdlIniFile.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A read-aloud window over a temporary program folder holding one novel, and the reader window
// it opens with "看原文".
struct ReaderFixture
{
    QTemporaryDir dir;
    std::unique_ptr<frmTTS> tts;
    QString novel = QStringLiteral("novel.txt");

    ReaderFixture() { SetProgramFolder(dir.path()); }

    QString path(const QString &name) const { return dir.filePath(name); }
    void writeText(const QString &name, const QString &text) const { writeBytes(name, Gbk::fromUnicode(text)); }
    void writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path(name)));
        f.write(bytes);
    }
    // A file's bytes, once the windows' side-file writes that wait are done.
    QByteArray readBytes(const QString &name) const
    {
        if (tts)
            tts->SideFiles()->flush();
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool exists(const QString &name) const { return QFile::exists(path(name)); }

    // The read-aloud window, loaded, with `text` in GBK as its current file.
    frmTTS *loadTts(const QString &text) { return loadTtsBytes(Gbk::fromUnicode(text)); }
    // The read-aloud window, loaded, with a file of these bytes as its current file.
    frmTTS *loadTtsBytes(const QByteArray &bytes)
    {
        writeBytes(novel, bytes);
        tts = std::make_unique<frmTTS>();
        tts->setInstanceLockPath(path(QStringLiteral("instance.lock")));
        tts->setVoiceFactory([] { return std::make_unique<FakeVoice>(); });
        tts->setReaderFactory([](frmTTS *t) -> QWidget * { return new frmRead(t); });
        if (!tts->Form_Load())
            qFatal("the read-aloud window did not load");
        tts->txtFilePathName->setText(novel);
        return tts.get();
    }

    // Opens the reader as "看原文" does.
    frmRead *open()
    {
        tts->cmdRead_Click();
        return static_cast<frmRead *>(tts->readerWindow());
    }

    QString setting(const char *key) const
    {
        return mdlIniFile::ReadIniString(QStringLiteral("KANXIAOSHUO"), QLatin1String(key), QStringLiteral("<none>"));
    }
};

// A novel of numbered sentences, so that every page is different and easy to find again.
inline QString NumberedNovel(int sentences)
{
    QString text = QStringLiteral("第一回　开篇 abc 的话。\r\n");
    for (int i = 1; i <= sentences; ++i)
        text += QStringLiteral("这是第%1句话，内容平常，用来分页。").arg(i) + (i % 7 == 0 ? QStringLiteral("\r\n") : QString());
    return text;
}

// The reader at the place `place` of a numbered novel of `sentences` sentences, shown on the real
// display at `size` (when given) and ready for input; null when it is not shown.
inline frmRead *ShowReaderForInput(ReaderFixture &f, int sentences, const QString &place, QSize size = QSize())
{
    f.loadTts(NumberedNovel(sentences))->txtChaZhao->setText(place);
    frmRead *reader = f.open();
    if (size.isValid())
        reader->resize(size);
    reader->activateWindow();
    if (!QTest::qWaitForWindowExposed(reader)
        || (size.isValid() && !QTest::qWaitFor([reader, size] { return reader->size() == size; })))
        return nullptr;
    QTest::qWait(200); // the window manager-less server maps the window before it takes input
    return reader;
}
