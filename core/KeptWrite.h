#pragma once
#include <QByteArrayView>
#include <QObject>
#include <QString>

// Writes of the files that keep the place and the settings: a write that fails where the file
// belongs (a folder that refuses it although its rights say yes, a full disk, an I/O error) goes
// at once to the file's stand-in in the state folder, where the next read finds it (the newer of
// the two is read, StateFolder.h). Each such move is announced, so that a window can say so.

// Where the bytes went: the file itself, its stand-in, or nowhere (`path` empty).
struct KeptWrite
{
    QString path;
    int error = 0; // why the write where the file belongs failed (errno), 0 when it did not
    bool written() const { return !path.isEmpty(); }
};

// Makes the file that belongs at `path` hold `bytes` (replaced whole, never written through a
// link), beside where it belongs or in the state folder (WritablePathFor), and in the state folder
// when that fails in a folder that is there.
KeptWrite WriteKeptFile(const QString &path, QByteArrayView bytes);

// A short line for the listener on a write that failed with `error` (errno): which file, and why
// in words ("磁盘已满" for a full disk) rather than an unknown error.
QString WriteFailureText(const QString &path, int error);

// What a window says of a write that went elsewhere: which file could not be written and why,
// and where it is kept now (or that it could not be kept at all).
QString KeptElsewhereText(const QString &path, const QString &keptAt, int error);

// Announces the writes that went elsewhere; one object for the whole program.
class KeptWriteNotices : public QObject
{
    Q_OBJECT
public:
    static KeptWriteNotices *instance();

signals:
    // The file for `path` could not be written there (`error`) and is kept at `keptAt` in the
    // state folder; `keptAt` is empty when it could not be written there either.
    void keptElsewhere(const QString &path, const QString &keptAt, int error);

private:
    using QObject::QObject;
};
