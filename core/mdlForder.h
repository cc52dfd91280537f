#pragma once
#include <QString>

namespace mdlForder {
// The folder that a shell special-folder number names on this platform, or an empty text.
QString SpecialFolderPath(int csidl);
}
