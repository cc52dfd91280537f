#pragma once
#include "Novel.h"
#include <QtGlobal>

// A novel's file opened once for the several reads of one page turn: the file is opened and its
// size looked up when this is made, so that the reads share one open file and one size. The path
// is looked up once; what the file is and its size come from the open file itself.
class OpenNovel
{
public:
    explicit OpenNovel(const Novel &novel);
    ~OpenNovel();
    OpenNovel(const OpenNovel &) = delete;
    OpenNovel &operator=(const OpenNovel &) = delete;

    const Novel &novel() const { return m_novel; }
    // The file's byte length, as it was when opened (0 for a missing file or one that is no
    // normal file).
    qint64 size() const { return m_size; }
    // The byte length when the file is one that text is read from (PresentFileSize); 0 otherwise.
    qint64 presentSize() const { return m_presentSize; }
    // Whether the file could be opened for reading.
    bool isOpen() const { return m_descriptor >= 0; }
    // Reads up to `length` bytes from byte offset `offset` into `into`: how many were read (fewer
    // at the end of the file), or -1 when the read fails or the file is not open.
    qint64 ReadAt(qint64 offset, char *into, qint64 length);

private:
    Novel m_novel;
    int m_descriptor = -1;
    qint64 m_size = 0;
    qint64 m_presentSize = 0;
};
