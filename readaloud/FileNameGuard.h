#pragma once
#include <QString>

// True when `name` names a file directly inside the program folder: no "/" or "\", and neither
// "." nor "..". A stored file name that is not bare is ignored, so that the settings file can
// never make the program read or write outside its folder.
bool IsBareFileName(const QString &name);
