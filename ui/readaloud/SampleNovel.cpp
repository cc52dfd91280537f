#include "SampleNovel.h"
#include "ProgramFolder.h"
#include "StateFolder.h"
#include <QFile>
#include <QFileInfo>

QString PlaceBuiltInSample()
{
    const QString path = WritablePathFor(ProgramFilePath(SampleNovelName()));
    if (QFileInfo(path).isFile())
        return path;
    if (!QFile::exists(kBuiltInSample) || !QFile::copy(kBuiltInSample, path))
        return QString();
    // A copy from the resource is read-only; the user's own copy is theirs to change.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return path;
}
