#pragma once
#include "ChapterList.h"
#include "Novel.h"
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <memory>

// Finds a novel's table of contents on a thread of its own (kept or scanned, see ChapterCache.h)
// and hands it over on the thread the loader lives in, so that no window waits for a scan.
class ChapterLoader : public QObject
{
    Q_OBJECT
public:
    explicit ChapterLoader(QObject *parent = nullptr);
    ~ChapterLoader() override;

    // Starts finding the table of `novel`. A request replaces the one before it,
    // whose scan stops early and whose result is dropped.
    void Request(const Novel &novel);
    // The same for the file at `path`, in the encoding its bytes show.
    void Request(const QString &path);

    // The novel of the last request, and its table once Ready came (empty until then, and for a
    // file that cannot be read).
    const Novel &Requested() const { return m_novel; }
    QString Path() const { return m_novel.path; }
    const ChapterList &Chapters() const { return m_chapters; }
    bool IsReady() const { return m_ready; }

signals:
    // The table of the novel of the last request is at hand (empty when the file cannot be read).
    void Ready();

private:
    void Deliver(quint64 request, const ChapterList &chapters);

    QThreadPool m_pool;
    std::shared_ptr<std::atomic_bool> m_cancel;
    quint64 m_request = 0;
    Novel m_novel;
    ChapterList m_chapters;
    bool m_ready = false;
};
