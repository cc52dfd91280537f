#include "ForeignNames.h"
#include "Gbk.h"
#include "StateFolder.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <dirent.h>
#include <memory>
#include <unistd.h>

bool IsUtf8Name(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    return !utf8.hasError();
}

QString LinkForForeignName(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray name = path.mid(slash + 1);
    if (!path.startsWith('/') || name.isEmpty() || IsUtf8Name(name))
        return QString();
    const QString readAsGbk = Gbk::toUnicode(name);
    if (readAsGbk.contains(QChar::ReplacementCharacter) || readAsGbk.contains(QLatin1Char('/')))
        return QString();
    const QString folder = StateFolder() + QStringLiteral("/links/")
        + QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16));
    const QString link = folder + QLatin1Char('/') + readAsGbk;
    const QByteArray linkBytes = QFile::encodeName(link);
    char target[4096];
    const ssize_t length = ::readlink(linkBytes.constData(), target, sizeof target);
    if (length >= 0 && QByteArray(target, int(length)) == path)
        return link;
    QDir().mkpath(folder);
    ::unlink(linkBytes.constData());
    return ::symlink(path.constData(), linkBytes.constData()) == 0 ? link : QString();
}

QStringList ForeignTextFiles(const QString &folder)
{
    QStringList links;
    const QByteArray at = QFile::encodeName(folder);
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(at.constData()), ::closedir);
    if (!dir)
        return links;
    while (const dirent *entry = ::readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        if (name.size() > 4 && name.right(4).toLower() == ".txt" && !IsUtf8Name(name)) {
            const QString link = LinkForForeignName(at + '/' + name);
            if (!link.isEmpty() && QFileInfo(link).isFile())
                links << link;
        }
    }
    links.sort(Qt::CaseInsensitive);
    return links;
}
