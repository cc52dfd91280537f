#pragma once
#include "BytePos.h"
#include "Novel.h"
#include <QString>
#include <optional>

// A place kept by its text in a side file (a ".kan" bookmark): the text and where it first
// occurs in the novel.
struct KeptPlace
{
    QString text;
    BytePos at;
};

// The place the side file at `sideFile` keeps in `novel`, its text read in the novel's encoding.
// nullopt when there is none to go to: the side file is missing, empty or unreadable, larger than
// the novel (so no text of it), or holds text that does not occur in the novel (stale or damaged).
std::optional<KeptPlace> ReadKeptPlace(const Novel &novel, const QString &sideFile);

// The place a side file's `bytes` keep in `novel` when they were written in another encoding (a
// novel converted to another encoding in place, a change of its encoding cut short): the bytes
// read in each other encoding that holds them whole, the first whose text occurs in the novel.
std::optional<KeptPlace> FindInOtherEncodings(const Novel &novel, const QByteArray &bytes);
