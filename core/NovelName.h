#pragma once
#include <QString>

class QMimeData;

// The name the read-aloud window keeps for the novel at `path`: its bare file name when it lies
// in the program folder (as the file list gives it, and as older versions stored it), its
// absolute path otherwise.
QString NovelNameFor(const QString &path);
// The local file a drag carries (the first, when it carries several); empty when it carries none.
QString DroppedNovel(const QMimeData *data);
