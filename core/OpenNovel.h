#pragma once
#include "KeptFiles.h"
#include "Novel.h"

// A novel's file opened once for the several reads of one page turn: the file is opened and its
// size looked up when this is made, so that the reads share one open file and one size. The
// descriptor is one of KeptFiles, so that the next turn finds the file open already.
class OpenNovel
{
public:
    explicit OpenNovel(const Novel &novel);

    const Novel &novel() const { return m_novel; }
    // The file's byte length, as it was when opened (0 for a missing file or one that is no
    // normal file).
    qint64 size() const { return m_file.size; }
    // The byte length when the file is one that text is read from (PresentFileSize); 0 otherwise.
    qint64 presentSize() const { return m_presentSize; }
    // Whether the file could be opened for reading.
    bool isOpen() const { return m_file.descriptor != nullptr; }
    // Reads up to `length` bytes from byte offset `offset` into `into`: how many were read (fewer
    // at the end of the file), or -1 when the read fails or the file is not open.
    qint64 ReadAt(qint64 offset, char *into, qint64 length);

private:
    Novel m_novel;
    KeptFiles::Opened m_file;
    qint64 m_presentSize = 0;
};
