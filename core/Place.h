#pragma once
#include "ByteRange.h"
#include <QString>

// Where a listener or reader stands in a novel, as it moves between the windows, the side files
// and every way in: the novel's file, the bytes of the place in it and the text there. The bytes
// say where to go on; the text is only needed to read a ".find" or ".kan" side file, or to find
// the place again in a novel that changed on disk (empty bytes: not known, as for a text typed
// by the listener or read from a side file).
struct Place
{
    QString novel;
    ByteRange bytes;
    QString text;
};
