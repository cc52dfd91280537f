#pragma once
#include <QString>
#include <vector>

struct UConverter;

// Converts a stream of GBK bytes to text, one slice at a time, with the rules of Gbk.h. A
// double-byte character split between two slices is completed by the next call, so a file can
// be converted in bounded chunks with the same result as in one piece.
class GbkDecoder
{
public:
    GbkDecoder();
    ~GbkDecoder();
    GbkDecoder(const GbkDecoder &) = delete;
    GbkDecoder &operator=(const GbkDecoder &) = delete;

    // Appends the text of the next `size` bytes to `text`. With `offsets`, also appends for each
    // UTF-16 unit the 0-based stream offset of the byte at which its character starts. `last`
    // ends the stream: a lead byte left without its trail byte then gives U+0000.
    void decode(const char *bytes, qint64 size, bool last, QString &text,
                std::vector<qint64> *offsets = nullptr);

private:
    void decodeSlice(const char *bytes, qint64 size, bool flush, QString &text,
                     std::vector<qint64> *offsets);

    UConverter *m_converter = nullptr;
    qint64 m_consumed = 0;
    std::vector<qint32> m_sliceOffsets;
};
