#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// Whole-file bytes for the fault tests: what a file holds ("<missing>" when it cannot be read),
// and a file made to hold exactly the given bytes.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}
