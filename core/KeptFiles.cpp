#include "KeptFiles.h"
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace KeptFiles {

namespace {

// Enough for a novel, the side files written beside it and a novel open in the other window.
constexpr size_t kKept = 4;
// A file that no read has asked for in this long is closed at the next read of any file, so
// that a novel left behind does not keep its drive from being unmounted.
constexpr std::chrono::seconds kIdle(30);

using Clock = std::chrono::steady_clock;

struct Kept
{
    QByteArray path;
    dev_t device;
    ino_t inode;
    std::shared_ptr<const Descriptor> descriptor;
    Clock::time_point lastUse;
};

// The files kept, the most recently opened last.
std::mutex keptMutex;
std::vector<Kept> kept;

template <typename Predicate>
size_t CloseLocked(Predicate matches)
{
    const auto from = std::remove_if(kept.begin(), kept.end(), matches);
    const size_t closed = size_t(kept.end() - from);
    kept.erase(from, kept.end());
    return closed;
}

size_t CloseIdleLocked(Clock::duration idle)
{
    const Clock::time_point now = Clock::now();
    return CloseLocked([&](const Kept &k) { return now - k.lastUse >= idle; });
}

// The kept descriptor of the file at `path` when it is the file `status` describes; the idle
// files are closed first.
std::shared_ptr<const Descriptor> FindKept(const QByteArray &path, const struct stat &status)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    CloseIdleLocked(kIdle);
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const Kept &k) {
        return k.path == path && k.device == status.st_dev && k.inode == status.st_ino;
    });
    if (found == kept.end())
        return nullptr;
    found->lastUse = Clock::now();
    return found->descriptor;
}

// A file gone from its path is closed at once, so that a deleted novel frees its disk space.
void Forget(const QByteArray &path)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    CloseLocked([&](const Kept &k) { return k.path == path; });
}

void Keep(Kept file)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    CloseLocked([&](const Kept &k) { return k.path == file.path; });
    if (kept.size() == kKept)
        kept.erase(kept.begin());
    kept.push_back(std::move(file));
}

}

Descriptor::~Descriptor()
{
    ::close(m_descriptor);
}

Opened Open(const QByteArray &path)
{
    struct stat status;
    if (::stat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        Forget(path);
        return {};
    }
    if (std::shared_ptr<const Descriptor> descriptor = FindKept(path, status))
        return {std::move(descriptor), status.st_size};
    int opened;
    do
        opened = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    while (opened < 0 && errno == EINTR);
    if (opened < 0)
        return {};
    auto descriptor = std::make_shared<const Descriptor>(opened);
    // The file may have been replaced since it was looked up: what is open decides.
    if (::fstat(opened, &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    Keep({path, status.st_dev, status.st_ino, descriptor, Clock::now()});
    return {std::move(descriptor), status.st_size};
}

size_t CloseIdle(std::chrono::steady_clock::duration idle)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    return CloseIdleLocked(idle);
}

}
