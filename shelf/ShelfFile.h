#pragma once
#include "ShelfEntry.h"
#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>

// What the shelf keeps between runs: the novels, the folders watched for more, the novels taken
// off the shelf (so that a watched folder does not bring them back), and the measured speed of
// each voice (bytes of a novel read aloud per second).
struct ShelfData
{
    QList<ShelfEntry> novels;
    QStringList folders;
    QStringList forgotten;
    QHash<QString, double> speeds;
};

// The shelf's file, "$XDG_DATA_HOME/tarrowin/shelf.json" (by default ~/.local/share/tarrowin/).
namespace ShelfFile {

QString Path();
// The kept shelf; an empty one when there is no file yet. nullopt when the file is there but
// cannot be read or is damaged (it is then not written over in this run).
std::optional<ShelfData> Load(const QString &path = Path());
// Replaces the file whole, atomically; false (the old file as it was) when it cannot be written.
bool Save(const ShelfData &data, const QString &path = Path());

}
