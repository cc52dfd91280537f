#pragma once
#include "Novel.h"
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

// The windows' writes of their ".find" and ".kan" side files, gathered: each write waits a
// moment, and what waits is written together, each file once with the last text given for it.
// A page turned many times, or a burst of typing in a search box, so costs one write of the file
// instead of one per page or key, and what the window shows is on disk within half a second, or
// at once on flush() (before a side file is read, and when a window closes).
class SideFileWriter : public QObject
{
    Q_OBJECT
public:
    explicit SideFileWriter(QObject *parent = nullptr);
    // Writes what waits.
    ~SideFileWriter() override;

    // The longest a text waits before it is written.
    static constexpr int kDelayMs = 500;

    // `text` is to be the whole content of the side file `sideFile` (its path, and the novel's
    // encoding its bytes are written in, without a byte-order mark). An empty path is no side
    // file and is ignored, as is a kept path.
    void write(const Novel &sideFile, const QString &text);
    // `bytes` are to be the whole content of the side file at `path`.
    void writeBytes(const QString &path, const QByteArray &bytes);
    // Writes every text that waits, now.
    void flush();
    // Never writes `path` during this run: its old content could not be read, and a write would
    // replace a place that was never seen.
    void keep(const QString &path);

signals:
    // The side file at `path` could not be written, nor its stand-in in the state folder; it
    // holds what it held before. (A write kept in the state folder is told by KeptWriteNotices.)
    void writeFailed(const QString &path);

private:
    QTimer m_timer;
    QHash<QString, QByteArray> m_waiting; // the bytes to write, by path
    QSet<QString> m_kept;
};
