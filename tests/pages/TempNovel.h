#pragma once
#include "Gbk.h"
#include <QFile>
#include <QTemporaryDir>

// A text file written in GBK into a temporary folder, for the tests that read pages from a file.
class TempNovel
{
public:
    explicit TempNovel(const QString &text, const QString &name = QStringLiteral("novel.txt"))
        : m_path(m_dir.path() + QLatin1Char('/') + name)
    {
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly))
            file.write(Gbk::fromUnicode(text));
    }

    const QString &path() const { return m_path; }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
