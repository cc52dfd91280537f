#pragma once
#include <QString>

// The sample novel built into the program file (a resource of the executable), so that the
// program alone, with no file beside it, opens a novel at its first start.

// Where the program keeps its built-in sample; missing from programs built without it.
inline const QString kBuiltInSample = QStringLiteral(":/sample/sample.txt");

// The sample's file in the program folder (in the state folder when the program folder cannot be
// written), written from the built-in copy when it is not there yet. Empty when the program has
// no sample built in, or it cannot be written.
QString PlaceBuiltInSample();
