#pragma once
#include <QByteArray>
#include <chrono>
#include <memory>

// Descriptors of files kept open from one read to the next, so that reading a novel piece by
// piece or page by page does not open and close its file at every read. Each read still looks
// the path up (one stat): a file replaced at the path (a new file renamed over it, or one deleted
// and written anew) is another file and is opened afresh, and the size is the size now. A file
// changed in place is the same file, read through the kept descriptor as it is now. The last few
// files are kept; the oldest is closed when another is opened, and one that no read has asked
// for in half a minute is closed at the next read.
namespace KeptFiles {

// An open descriptor that stays open while anyone holds it.
class Descriptor
{
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor();
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

struct Opened
{
    std::shared_ptr<const Descriptor> descriptor; // null when the path is no normal file or cannot be read
    qint64 size = 0;
};

// The normal file at `path` (in the file system's encoding), open for reading.
Opened Open(const QByteArray &path);

// Closes the kept files that no read has asked for in `idle` (reads under way keep theirs until
// they end); how many were closed.
size_t CloseIdle(std::chrono::steady_clock::duration idle);

}
