#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The kinds of audio file an export writes, all through libsndfile.
enum class AudioFormat { Opus, Vorbis, Mp3, Flac, Wav };

// Every format, in the order they are offered (Ogg Opus first).
QList<AudioFormat> AudioFormats();
// The format's name on the command line: "opus", "vorbis", "mp3", "flac", "wav".
QString AudioFormatName(AudioFormat format);
std::optional<AudioFormat> AudioFormatFromName(const QString &name);
// What the format is called in the export dialog ("Ogg Opus", ...).
QString AudioFormatCaption(AudioFormat format);
// The file name extension, without the dot.
QString AudioFormatExtension(AudioFormat format);
// The libsndfile format code (major format | subtype).
int AudioFormatCode(AudioFormat format);
// The compression level (libsndfile's 0 best to 1 smallest) a file of this format is written
// with; nothing for the library's default. Ogg Opus is written at 0.8, about 57 kbit/s for the
// voice: the lowest rate its encoder still codes in its fast music mode, over three times faster
// than the default 34 kbit/s speech mode, which would make Opus much the slowest format to export.
std::optional<double> AudioFormatCompressionLevel(AudioFormat format);
// The sample rate a file of this format is written at for audio synthesised at `inputRate`:
// Ogg Opus holds only 8, 12, 16, 24 and 48 kHz, so other rates go up to the next of these.
int AudioFormatFileRate(AudioFormat format, int inputRate);
