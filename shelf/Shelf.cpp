#include "Shelf.h"
#include "ListeningSpeed.h"
#include "ShelfDetails.h"
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

namespace {
// Novels taken off or found, a folder added: written soon. A novel opened, the place moved, a speed
// measured: written now and then (and when the shelf ends), as the place itself is kept in the
// novel's side files already.
constexpr int kSaveSoonMs = 1000;
constexpr int kSaveLaterMs = 30000;
constexpr int kRescanDelayMs = 500;

bool IsTextFile(const QFileInfo &info)
{
    return info.isFile() && info.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0;
}

// The text files and the folders directly in `folder`: what the shelf sees change there.
QStringList TextFilesAndFolders(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.txt")},
                                  QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot,
                                  QDir::Name);
}
}

Shelf::Shelf(const QString &file, QObject *parent) : QObject(parent), m_file(file)
{
    m_pool.setMaxThreadCount(1);
    m_saveTimer.setSingleShot(true);
    connect(&m_saveTimer, &QTimer::timeout, this, &Shelf::save);
    m_rescanTimer.setSingleShot(true);
    m_rescanTimer.setInterval(kRescanDelayMs);
    connect(&m_rescanTimer, &QTimer::timeout, this, &Shelf::rescan);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &Shelf::folderChanged);
}

Shelf::~Shelf()
{
    m_ending = true;
    m_pool.clear();
    m_pool.waitForDone();
    if (m_saveTimer.isActive())
        save();
}

bool Shelf::load()
{
    const std::optional<ShelfData> data = ShelfFile::Load(m_file);
    m_fileKept = !data;
    m_data = data.value_or(ShelfData());
    emit reset();
    rescan();
    return data.has_value();
}

int Shelf::indexOf(const QString &path) const
{
    for (int i = 0; i < m_data.novels.size(); ++i)
        if (m_data.novels[i].path == path)
            return i;
    return -1;
}

void Shelf::opened(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo(absolute).isFile())
        return;
    m_data.forgotten.removeAll(absolute);
    int row = indexOf(absolute);
    if (row < 0) {
        ShelfEntry entry;
        entry.path = absolute;
        m_data.novels << entry;
        row = int(m_data.novels.size()) - 1;
        watchFolders();
        emit reset();
    }
    m_data.novels[row].lastRead = QDateTime::currentDateTime();
    refresh(row, false); // the window reads it now: its table is kept by the time the shelf is shown
    saveLater();
}

void Shelf::placeMoved(const QString &path, BytePos place)
{
    const int row = indexOf(QFileInfo(path).absoluteFilePath());
    if (row < 0)
        return;
    ShelfEntry &entry = m_data.novels[row];
    entry.place = place;
    entry.lastRead = QDateTime::currentDateTime();
    entry.modified = 0; // the chapter of the place is looked up again at the next refresh
    emit entryChanged(row);
    saveLater();
}

void Shelf::forget(const QString &path)
{
    const int row = indexOf(path);
    if (row < 0)
        return;
    m_data.novels.removeAt(row);
    if (!m_data.forgotten.contains(path))
        m_data.forgotten << path;
    emit reset();
    saveSoon();
}

void Shelf::addFolder(const QString &folder)
{
    const QString absolute = QDir(folder).absolutePath();
    if (!m_data.folders.contains(absolute))
        m_data.folders << absolute;
    rescan();
    saveSoon();
}

QStringList Shelf::paths() const
{
    QStringList paths;
    for (const ShelfEntry &entry : m_data.novels)
        paths << entry.path;
    return paths;
}

// The list is drawn again only when novels came, went or moved, so that a window showing it keeps
// its cursor while the details of a novel change.
void Shelf::rescan()
{
    const QStringList before = paths();
    for (const QString &folder : std::as_const(m_data.folders))
        scanFolder(folder);
    const bool listChanged = paths() != before;
    if (listChanged)
        emit reset();
    for (int row = 0; row < m_data.novels.size(); ++row)
        refresh(row);
    watchFolders();
    if (listChanged)
        saveSoon();
}

void Shelf::scanFolder(const QString &folder)
{
    QSet<QString> known(m_data.forgotten.cbegin(), m_data.forgotten.cend());
    for (const ShelfEntry &entry : std::as_const(m_data.novels))
        known.insert(entry.path);
    QDirIterator files(folder, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        const QFileInfo info = files.fileInfo();
        if (IsTextFile(info) && !known.contains(info.absoluteFilePath()))
            addFound(info.absoluteFilePath(), info.size());
    }
}

// A watched folder changed. The side files the program writes beside a novel change its folder at
// every piece read; only a text file or a folder come or gone there is a reason to look again.
void Shelf::folderChanged(const QString &folder)
{
    QStringList now = TextFilesAndFolders(folder);
    if (m_seen.value(folder) == now)
        return;
    m_seen.insert(folder, std::move(now));
    m_rescanTimer.start();
}

// A text file new to the shelf: a novel that went missing with its name and size, moved here,
// or a novel of its own.
void Shelf::addFound(const QString &path, qint64 size)
{
    const QString name = QFileInfo(path).fileName();
    for (ShelfEntry &entry : m_data.novels) {
        if (!QFileInfo(entry.path).isFile() && entry.size == size && QFileInfo(entry.path).fileName() == name) {
            entry.path = path;
            entry.encoding.clear();
            return;
        }
    }
    ShelfEntry entry;
    entry.path = path;
    m_data.novels << entry;
}

void Shelf::refresh(int row, bool complete)
{
    ShelfEntry &entry = m_data.novels[row];
    const bool wasPresent = entry.present;
    const ShelfEntry before = entry;
    if (ShelfDetails::Refresh(entry) && complete)
        completeInBackground(entry);
    if (entry.present != wasPresent || entry.chapters != before.chapters || entry.chapter != before.chapter
        || entry.encoding != before.encoding || entry.place != before.place)
        emit entryChanged(row);
    if (entry.encoding != before.encoding || entry.chapters != before.chapters || entry.place != before.place)
        saveLater();
}

void Shelf::completeInBackground(const ShelfEntry &entry)
{
    ++m_pending;
    m_pool.start([this, entry] {
        const ShelfEntry done = ShelfDetails::Complete(entry, &m_ending);
        QMetaObject::invokeMethod(this, [this, done] { takeCompleted(done); }, Qt::QueuedConnection);
    });
}

void Shelf::takeCompleted(const ShelfEntry &done)
{
    --m_pending;
    const int row = indexOf(done.path);
    if (row < 0)
        return;
    ShelfEntry &entry = m_data.novels[row];
    if (entry.size != done.size || entry.modified != done.modified)
        return; // the file changed meanwhile: its next refresh starts again
    entry.encoding = done.encoding;
    if (!entry.place)
        entry.place = done.place;
    entry.chapters = done.chapters;
    entry.chapter = entry.place == done.place ? done.chapter : QString();
    emit entryChanged(row);
    saveLater();
}

void Shelf::waitForDetails()
{
    while (m_pending > 0) {
        m_pool.waitForDone();
        QCoreApplication::sendPostedEvents(this);
    }
}

// The watched folders and everything under them, and the folders of the novels on the shelf, so
// that a new file, a file gone and a file back are seen.
void Shelf::watchFolders()
{
    QSet<QString> wanted;
    for (const QString &folder : std::as_const(m_data.folders)) {
        wanted.insert(folder);
        QDirIterator below(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (below.hasNext())
            wanted.insert(below.next());
    }
    for (const ShelfEntry &entry : std::as_const(m_data.novels))
        wanted.insert(QFileInfo(entry.path).absolutePath());
    const QStringList watched = m_watcher.directories();
    for (const QString &folder : wanted) {
        if (!watched.contains(folder) && QFileInfo(folder).isDir() && m_watcher.addPath(folder))
            m_seen.insert(folder, TextFilesAndFolders(folder));
    }
}

double Shelf::bytesPerSecond(const QString &voice) const
{
    return m_data.speeds.value(voice, ListeningSpeed::kDefaultBytesPerSecond);
}

void Shelf::measured(const QString &voice, double bytesPerSecond)
{
    const auto kept = m_data.speeds.constFind(voice);
    m_data.speeds.insert(voice, ListeningSpeed::Blend(kept == m_data.speeds.constEnd() ? std::nullopt
                                                                                        : std::optional<double>(*kept),
                                                      bytesPerSecond));
    saveLater();
}

void Shelf::saveSoon()
{
    if (!m_saveTimer.isActive() || m_saveTimer.remainingTime() > kSaveSoonMs)
        m_saveTimer.start(kSaveSoonMs);
}

void Shelf::saveLater()
{
    if (!m_saveTimer.isActive())
        m_saveTimer.start(kSaveLaterMs);
}

bool Shelf::save()
{
    m_saveTimer.stop();
    if (m_fileKept)
        return false; // told when it was read
    if (ShelfFile::Save(m_data, m_file))
        return true;
    emit saveFailed(m_file);
    return false;
}
