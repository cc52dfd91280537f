#pragma once
#include "BytePos.h"
#include "Novel.h"
#include <QString>
#include <optional>

// The byte position of a novel's place, kept in the settings beside the novel's name so that a
// place text that occurs more than once in the novel is found again where it was, not at its
// first occurrence. The key (WEIZHI in the read-aloud window's section) is one older versions
// never read; its value is the position, a blank and a mark of the novel's path, so that the
// position is only ever taken for the novel it was kept for.
namespace PlacePosition {

// A short mark of the novel's path (its absolute path's hash), that settings kept for the novel
// carry so that they are only ever taken for it.
QString NovelMark(const QString &novelPath);
// Keeps `position` as the place of the novel at `novelPath`; false when the settings could not
// be written.
bool Keep(const QString &novelPath, BytePos position);
// The position kept for the novel at `novelPath`, if the settings hold one for it.
std::optional<BytePos> Kept(const QString &novelPath);
// Whether the novel holds `text` at `position`, starting on a character there.
bool TextIsAt(const Novel &novel, BytePos position, const QString &text);
// Where the file at `novelPath` holds `bytes` (a side file's own bytes) at `position` or within a
// character's length of it, the nearest first, in any encoding: a place kept while the novel was
// read in another one (a switch of encoding that a crash cut short) is found there all the same.
std::optional<BytePos> BytesNear(const QString &novelPath, BytePos position, const QByteArray &bytes);

}
