#pragma once
#include "ShelfFile.h"
#include <QFileSystemWatcher>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>

// The bookshelf: every novel opened and every text file under the folders the listener added
// (watched, so that new files join it), each with its place and what the shelf shows of it. A
// novel whose file is gone stays on the shelf, shown as missing; it is there again when its file
// comes back, or when a watched folder shows a file of its name and size (it was moved). Changes
// are written to the shelf file together a moment later (the progress of reading half a minute
// later), and when the shelf ends.
class Shelf : public QObject
{
    Q_OBJECT
public:
    explicit Shelf(const QString &file = ShelfFile::Path(), QObject *parent = nullptr);
    // Writes what waits and waits for the work in the background to end.
    ~Shelf() override;

    // Reads the shelf file, watches the folders and refreshes every novel. False when the file is
    // there but cannot be read: the shelf then starts empty and the file is not written over.
    bool load();
    const QList<ShelfEntry> &entries() const { return m_data.novels; }
    const QStringList &folders() const { return m_data.folders; }
    int indexOf(const QString &path) const;

    // A novel was opened: it is on the shelf (again, if it was taken off), read now. A path that
    // names no file is left out.
    void opened(const QString &path);
    // Reading of the novel at `path` stands at `place` now.
    void placeMoved(const QString &path, BytePos place);
    // Takes the novel off the shelf; its files are not touched, and a watched folder does not
    // bring it back.
    void forget(const QString &path);
    // Watches `folder` and everything under it for text files.
    void addFolder(const QString &folder);
    // Scans the watched folders and refreshes every novel; what needs the novels read is found in
    // the background, each novel shown as it is done.
    void rescan();
    // Waits until the background work is done and its results are in.
    void waitForDetails();

    // The measured speed of `voice`, in bytes of a novel per second, or the default.
    double bytesPerSecond(const QString &voice) const;
    // A piece read aloud by `voice` went at `bytesPerSecond`.
    void measured(const QString &voice, double bytesPerSecond);

    // Writes the shelf file now; false when it could not be written (saveFailed says so too), or
    // when it is kept as it was because it could not be read.
    bool save();

signals:
    // Novels came or went: the list is to be drawn again.
    void reset();
    // What is shown of the novel at `row` changed.
    void entryChanged(int row);
    // The shelf file could not be written; it holds what it held before.
    void saveFailed(const QString &path);

private:
    QStringList paths() const;
    void scanFolder(const QString &folder);
    void folderChanged(const QString &folder);
    void addFound(const QString &path, qint64 size);
    void refresh(int row, bool complete = true);
    void completeInBackground(const ShelfEntry &entry);
    void takeCompleted(const ShelfEntry &entry);
    void watchFolders();
    void saveSoon();
    void saveLater();

    QString m_file;
    ShelfData m_data;
    bool m_fileKept = false; // the file could not be read: never written over
    QFileSystemWatcher m_watcher;
    QHash<QString, QStringList> m_seen; // what TextFilesAndFolders gave for each folder watched
    QTimer m_rescanTimer;
    QTimer m_saveTimer;
    QThreadPool m_pool;
    int m_pending = 0;
    std::atomic_bool m_ending = false; // stops a scan under way when the shelf ends
};
