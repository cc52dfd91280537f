#pragma once
#include "TextEncoding.h"
#include <QString>

// A novel: the path of its text file and the encoding its bytes are read in. Its side files lie
// beside it (path + ".find", path + ".kan") and hold their text in the same encoding.
struct Novel
{
    QString path;
    TextEncoding encoding = TextEncoding::Gbk;

    friend bool operator==(const Novel &a, const Novel &b)
    {
        return a.path == b.path && a.encoding == b.encoding;
    }
    friend bool operator!=(const Novel &a, const Novel &b) { return !(a == b); }
};
