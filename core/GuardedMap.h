#pragma once
#include <QtGlobal>

// A file's bytes mapped read-only into memory, safe to read while the file shrinks. A read of a
// page that the file no longer backs would raise SIGBUS and end the program; here it reads as
// zero bytes instead, and shrank() tells that it happened, so that what was found in the mapping
// is thrown away. Any other SIGBUS still ends the program as it would have.
class GuardedMap
{
public:
    // Maps the first `size` bytes of the file open at `descriptor` (which may be closed after).
    GuardedMap(int descriptor, qint64 size);
    ~GuardedMap();
    GuardedMap(const GuardedMap &) = delete;
    GuardedMap &operator=(const GuardedMap &) = delete;

    // The bytes, or null when the file could not be mapped (then read it instead).
    const char *data() const { return m_data; }
    qint64 size() const { return m_size; }
    // Whether a read met a page past the file's end since the mapping was made.
    bool shrank() const;

private:
    const char *m_data = nullptr;
    qint64 m_size = 0;
    int m_slot = -1;
};
