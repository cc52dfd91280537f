#include "RecentNovels.h"
#include "StoredPath.h"
#include "mdlIniFile.h"
#include <QFileInfo>
#include <algorithm>

namespace {
const QString kSection = QStringLiteral("DANGQIAN");

QString key(int index)
{
    return QStringLiteral("ZUIJIN%1").arg(index);
}
}

namespace RecentNovels {

QStringList WithFirst(QStringList list, const QString &path)
{
    list.removeAll(path);
    list.prepend(path);
    return list.mid(0, kMaxCount);
}

QStringList Stored()
{
    QStringList list;
    for (int i = 0; i < kMaxCount; ++i) {
        const QString path = PathFromStored(mdlIniFile::ReadIniString(kSection, key(i), QString()));
        if (!path.isEmpty() && !list.contains(path))
            list << path;
    }
    return list;
}

QStringList Present()
{
    QStringList list = Stored();
    list.erase(std::remove_if(list.begin(), list.end(), [](const QString &path) { return !QFileInfo(path).isFile(); }),
               list.end());
    return list;
}

void Remember(const QString &path)
{
    const QStringList before = Stored();
    const QStringList after = WithFirst(before, path);
    if (after == before)
        return;
    for (int i = 0; i < kMaxCount; ++i)
        mdlIniFile::WriteIniString(kSection, key(i), i < after.size() ? StoredPathText(after[i]) : QString());
}

}
