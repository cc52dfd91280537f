#pragma once
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// What the fuzz targets share: a check that ends the run with a message (libFuzzer then keeps the
// input), and a reader that takes numbers and byte runs from the front of an input.

#define FUZZ_CHECK(condition)                                                                 \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "Check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)

class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_data(reinterpret_cast<const char *>(data)), m_size(size) {}

    // The next sizeof(T) bytes as a number; 0 for the bytes that are not there.
    template <typename T>
    T take()
    {
        T value{};
        const size_t n = std::min(sizeof(T), m_size);
        std::memcpy(&value, m_data, n);
        advance(n);
        return value;
    }

    QByteArray takeBytes(size_t count)
    {
        count = std::min(count, m_size);
        QByteArray bytes(m_data, qsizetype(count));
        advance(count);
        return bytes;
    }

    QByteArray rest() { return takeBytes(m_size); }

private:
    void advance(size_t n)
    {
        m_data += n;
        m_size -= n;
    }

    const char *m_data;
    size_t m_size;
};

// A folder of its own for the files a target writes, made once per process and removed at its end.
QString FuzzScratchFolder();

// Makes the file hold exactly `bytes`.
void WriteFuzzFile(const QString &path, const QByteArray &bytes);
QByteArray ReadFuzzFile(const QString &path);
