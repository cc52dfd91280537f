#pragma once
#include "TextEncoding.h"
#include <QByteArray>
#include <QString>
#include <optional>

// How much of a file detection looks at: its first MiB.
constexpr qint64 kDetectionSampleBytes = qint64(1) << 20;

// The byte length of the byte-order mark at the start of `start` (a file's first bytes) that
// belongs to `encoding`: 3 for UTF-8, 2 for UTF-16LE and UTF-16BE, 0 when there is none.
int ByteOrderMarkLength(TextEncoding encoding, const QByteArray &start);

// The encoding of a file whose first bytes are `sample`: the one its byte-order mark names;
// otherwise UTF-8 when the bytes are valid UTF-8 holding at least one multi-byte character (a
// valid character cut short by the end of the sample counts as valid); otherwise UTF-16LE or BE
// when the bytes read as prose in that byte order, with their zero bytes at the units' high
// bytes; otherwise GB18030 when four-byte GB18030 characters occur; otherwise Big5 when the
// double-byte characters read as Chinese better in Big5 than in GBK, and GBK when they do not.
TextEncoding DetectEncoding(const QByteArray &sample);

// DetectEncoding on the first kDetectionSampleBytes of the file; GBK when it is not a regular
// file or cannot be read.
TextEncoding DetectFileEncoding(const QString &path);
