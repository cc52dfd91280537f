#pragma once
#include "BytePos.h"
#include "Novel.h"
#include <QObject>
#include <QThreadPool>
#include <optional>

// Looks for a text in a novel (as FindInTextFile does) on a thread of its own and hands the
// answer over on the thread the search lives in, so that a window stays live while a large file
// is read. A request replaces the one before it, whose answer is dropped.
class PlaceSearch : public QObject
{
    Q_OBJECT
public:
    explicit PlaceSearch(QObject *parent = nullptr);
    ~PlaceSearch() override;

    // `keptBytes`, the side file's own bytes that `needle` was read from, are looked for in the
    // novel's other encodings when `needle` does not occur (a novel converted in place).
    void Request(const Novel &novel, const QString &needle, const QByteArray &keptBytes = {});
    // Drops the answer of the running request, if any.
    void Cancel();
    // Between a request and its answer.
    bool IsRunning() const { return m_running; }
    // The answer of the last request once Found came.
    std::optional<BytePos> Result() const { return m_result; }

signals:
    void Found();

private:
    void Deliver(quint64 request, std::optional<BytePos> found);

    QThreadPool m_pool;
    quint64 m_request = 0;
    bool m_running = false;
    std::optional<BytePos> m_result;
};
