#include "mdlForder.h"
#include <QFileInfo>

namespace {

// The shell folder numbers the program asks for, and this platform's nearest folders.
constexpr int kCommonProgramFiles = 43;  // shared program components
constexpr int kSystemFolder = 37;        // the system's own libraries

QString existingFolder(const QString &path)
{
    return QFileInfo(path).isDir() ? path : QString();
}

}

namespace mdlForder {

QString SpecialFolderPath(int csidl)
{
    switch (csidl) {
    case kCommonProgramFiles:
        return existingFolder(QStringLiteral("/usr/share"));
    case kSystemFolder:
        return existingFolder(QStringLiteral("/usr/lib"));
    default:
        return QString();
    }
}

}
