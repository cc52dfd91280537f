#pragma once
#include "Novel.h"
#include <QFile>

// A novel's file opened once for the several reads of one page turn: the file is opened and its
// size looked up when this is made, so that the reads share one open file and one size.
class OpenNovel
{
public:
    explicit OpenNovel(const Novel &novel);

    const Novel &novel() const { return m_novel; }
    // The file's byte length, as it was when opened (0 for a missing file).
    qint64 size() const { return m_size; }
    // The byte length when the file is one that text is read from (PresentFileSize); 0 otherwise.
    qint64 presentSize() const { return m_presentSize; }
    // The file, open for unbuffered reading; a file that could not be opened is not open.
    QFile &file() { return m_file; }

private:
    Novel m_novel;
    QFile m_file;
    qint64 m_size = 0;
    qint64 m_presentSize = 0;
};
