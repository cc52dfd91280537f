#include "GuardedMap.h"
#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The mappings being guarded, each a slot the signal handler can read without a lock.
constexpr int kSlots = 32;
struct Slot
{
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> shrank{false};
    std::atomic<bool> used{false};
};
Slot g_slots[kSlots];
struct sigaction g_previous;

// A fault inside a guarded mapping gets a page of zero bytes in place of the page the file lost,
// and the read goes on; a fault anywhere else is handed back to the action there was before, by
// restoring it and letting the faulting instruction run again.
void OnBusError(int, siginfo_t *info, void *)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot &slot : g_slots) {
        if (address < slot.begin.load() || address >= slot.end.load())
            continue;
        const auto pageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
        void *page = reinterpret_cast<void *>(address & ~(pageSize - 1));
        if (::mmap(page, pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            slot.shrank.store(true);
            return;
        }
        break;
    }
    ::sigaction(SIGBUS, &g_previous, nullptr);
}

bool InstallHandler()
{
    static std::once_flag once;
    static bool installed = false;
    std::call_once(once, [] {
        struct sigaction action = {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        installed = ::sigaction(SIGBUS, &action, &g_previous) == 0;
    });
    return installed;
}

int TakeSlot()
{
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (g_slots[i].used.compare_exchange_strong(expected, true))
            return i;
    }
    return -1;
}

}

GuardedMap::GuardedMap(int descriptor, qint64 size)
{
    if (size <= 0 || descriptor < 0 || !InstallHandler())
        return;
    m_slot = TakeSlot();
    if (m_slot < 0)
        return;
    void *map = ::mmap(nullptr, size_t(size), PROT_READ, MAP_SHARED, descriptor, 0);
    if (map == MAP_FAILED) {
        g_slots[m_slot].used.store(false);
        m_slot = -1;
        return;
    }
    Slot &slot = g_slots[m_slot];
    slot.shrank.store(false);
    slot.begin.store(reinterpret_cast<std::uintptr_t>(map));
    slot.end.store(reinterpret_cast<std::uintptr_t>(map) + std::uintptr_t(size));
    m_data = static_cast<const char *>(map);
    m_size = size;
}

GuardedMap::~GuardedMap()
{
    if (m_slot < 0)
        return;
    Slot &slot = g_slots[m_slot];
    slot.begin.store(0);
    slot.end.store(0);
    if (m_data)
        ::munmap(const_cast<char *>(m_data), size_t(m_size));
    slot.used.store(false);
}

bool GuardedMap::shrank() const
{
    return m_slot >= 0 && g_slots[m_slot].shrank.load();
}
