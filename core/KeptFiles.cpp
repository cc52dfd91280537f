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

struct Kept
{
    QByteArray path;
    dev_t device;
    ino_t inode;
    std::shared_ptr<const Descriptor> descriptor;
};

// The files kept, the most recently opened last.
std::mutex keptMutex;
std::vector<Kept> kept;

std::shared_ptr<const Descriptor> FindKept(const QByteArray &path, const struct stat &status)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const Kept &k) {
        return k.path == path && k.device == status.st_dev && k.inode == status.st_ino;
    });
    return found == kept.end() ? nullptr : found->descriptor;
}

void ForgetLocked(const QByteArray &path)
{
    kept.erase(std::remove_if(kept.begin(), kept.end(), [&](const Kept &k) { return k.path == path; }), kept.end());
}

// A file gone from its path is closed at once, so that a deleted novel frees its disk space.
void Forget(const QByteArray &path)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    ForgetLocked(path);
}

void Keep(Kept file)
{
    const std::lock_guard<std::mutex> lock(keptMutex);
    ForgetLocked(file.path);
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
    Keep({path, status.st_dev, status.st_ino, descriptor});
    return {std::move(descriptor), status.st_size};
}

}
