#pragma once
#include "ExportJob.h"
#include <QString>
#include <QStringList>

// A GBK novel written for a test, with the byte range of each of its chapters.
struct TestNovel
{
    QString path;
    QList<ExportPart> parts;
};
TestNovel WriteTestNovel(const QString &path, const QStringList &titles, const QStringList &bodies);

// The 16-bit samples that the shared synthesis thread makes of the text of [start, end), read
// piece by piece as an export reads it.
qint64 SynthesisedSamples(const QString &path, const ExportPart &part, const SpeechSettings &settings);

// What libsndfile reads back from an audio file.
struct ReadBack
{
    bool opened = false;
    qint64 frames = 0;
    int rate = 0;
    QString title;
    QString album;
    QString track;
    double seconds() const { return rate > 0 ? double(frames) / rate : 0; }
};
ReadBack ReadAudioFile(const QString &path);
