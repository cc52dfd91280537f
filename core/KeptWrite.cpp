#include "KeptWrite.h"
#include "ReplaceFile.h"
#include "StateFolder.h"
#include <QFileInfo>
#include <cerrno>
#include <cstring>

KeptWrite WriteKeptFile(const QString &path, QByteArrayView bytes)
{
    const QString target = WritablePathFor(path);
    if (ReplaceFile(target, bytes))
        return {target, 0};
    const int error = errno;
    // A file of the state folder has no other stand-in, and a folder that is gone (a disk taken
    // away) is no place to keep anything for.
    const QString folder = QFileInfo(target).absolutePath();
    if (folder == StateFolder() || !QFileInfo(folder).isDir())
        return {QString(), error};
    const QString stateFile = StateFilePath(path);
    const bool kept = ReplaceFile(stateFile, bytes);
    emit KeptWriteNotices::instance()->keptElsewhere(path, kept ? stateFile : QString(), error);
    return {kept ? stateFile : QString(), error};
}

QString WriteFailureText(const QString &path, int error)
{
    const QString why = error == ENOSPC ? QStringLiteral("磁盘已满")
                        : error == EISDIR ? QStringLiteral("同名的是一个文件夹")
                        : error == EROFS || error == EACCES || error == EPERM ? QStringLiteral("不允许写入")
                        : QString::fromLocal8Bit(std::strerror(error));
    return QStringLiteral("无法写入 %1（%2）").arg(QFileInfo(path).fileName(), why);
}

QString KeptElsewhereText(const QString &path, const QString &keptAt, int error)
{
    const QString failed = WriteFailureText(path, error);
    if (keptAt.isEmpty())
        return failed + QStringLiteral("，状态文件夹也无法写入，没有保存");
    return failed + QStringLiteral("，改存在 %1").arg(QFileInfo(keptAt).absolutePath());
}

KeptWriteNotices *KeptWriteNotices::instance()
{
    static KeptWriteNotices notices;
    return &notices;
}
