// Prints the speed figures of the text-file layer: piece reads at the start and at the end of a
// 1 GB file, a novel read through in pieces in GBK and in UTF-8, whole-file conversion (GBK and
// UTF-8) against plain reading, and the whole-file search against reading and scanning the raw
// bytes, with the search's peak memory. Big files go to a temporary folder that is removed at
// the end.
#include "FindInTextFile.h"
#include "Gbk.h"
#include "TextCodec.h"
#include "mdlFileBinText.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr qint64 kMiB = 1024 * 1024;

double secondsFor(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The fastest of a few runs, so that one disturbance on a shared machine does not count.
double bestSecondsFor(int runs, const std::function<void()> &work)
{
    double best = secondsFor(work);
    for (int run = 1; run < runs; ++run)
        best = std::min(best, secondsFor(work));
    return best;
}

QByteArray novelText()
{
    QFile novel(QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt"));
    if (novel.open(QIODevice::ReadOnly))
        return novel.readAll();
    std::puts("(corpus absent: using generated Chinese text)");
    QByteArray text;
    for (int i = 0; text.size() < 2 * kMiB; ++i) {
        text += char(0xB0 + i % 39);
        text += char(0xA1 + i * 7 % 94);
        if (i % 17 == 16)
            text += "\xa1\xa3\n";
    }
    return text;
}

bool writeRepeated(const QString &path, const QByteArray &text, qint64 size, const QByteArray &tail)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (qint64 written = 0; written < size; written += text.size())
        file.write(text);
    return file.write(tail) == tail.size();
}

void benchPieceReads(const QDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath(QStringLiteral("sparse.txt"));
    const qint64 size = 1024 * kMiB;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
            return void(std::puts("cannot make the sparse file"));
        file.write(text.left(64 * 1024));
        file.seek(size - 64 * 1024);
        file.write(text.left(64 * 1024));
    }
    constexpr int reads = 20000;
    auto readsAt = [&](qint64 at) {
        return bestSecondsFor(3, [&] {
            for (int i = 0; i < reads; ++i) {
                BytePos position(at);
                mdlFileBinText::ReadTextPiece(path, position, 100);
            }
        }) / reads * 1e6;
    };
    const double start = readsAt(1);
    const double end = readsAt(size - 200);
    std::printf("ReadTextPiece, 100 bytes of a 1 GB sparse file: at the start %.2f us, "
                "at the end %.2f us, end/start %.2f\n", start, end, end / start);
    QFile::remove(path);
}

void benchWholeFile(const QString &path, qint64 size)
{
    const double mb = double(size) / kMiB;
    QByteArray bytes;
    const double read = bestSecondsFor(3, [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        bytes = file.readAll();
    });
    const double convert = bestSecondsFor(3, [&] { Gbk::toUnicode(bytes); });
    // The same text in UTF-8, decoded by the encoding layer, beside GBK decoded the same way.
    const QString text = TextCodec::Decode(TextEncoding::Gbk, bytes);
    const QByteArray utf8 = TextCodec::Encode(TextEncoding::Utf8, text);
    const double decodeGbk = bestSecondsFor(3, [&] { TextCodec::Decode(TextEncoding::Gbk, bytes); });
    const double decodeUtf8 = bestSecondsFor(3, [&] { TextCodec::Decode(TextEncoding::Utf8, utf8); });
    std::printf("Decoding the same text: GBK %.0f MB/s, UTF-8 %.0f MB/s of characters (%.0f MB of GBK "
                "bytes); UTF-8 speed / GBK speed = %.2f (goal: at least 1)\n",
                mb / decodeGbk, mb / decodeUtf8, mb, decodeGbk / decodeUtf8);
    std::printf("TABLE|Decoding the same %.0f MB text: UTF-8 / GBK|%.1f|%.1f|ms|1.00\n", mb, decodeUtf8 * 1e3,
                decodeGbk * 1e3);
    bytes.clear();
    const double readText = bestSecondsFor(3, [&] { mdlFileBinText::ReadTextFile(path); });
    std::printf("Whole %.0f MB GBK file: reading the bytes %.0f MB/s; converting them %.0f MB/s; "
                "ReadTextFile (read + convert) %.0f MB/s\n",
                mb, mb / read, mb / convert, mb / readText);
}

// The novel read from position 1 to the end in pieces of one length, as reading aloud reads it,
// once in GBK and once in UTF-8: the same text, and the same piece length in bytes.
void benchPieceDecoding(const QDir &dir, const QByteArray &gbk)
{
    constexpr qint64 kPieceLength = 1000;
    const QString text = TextCodec::Decode(TextEncoding::Gbk, gbk);
    // Each encoding's file, and a read through it; the reads take turns, so that a busier moment
    // of the machine weighs on both.
    auto readThrough = [&](TextEncoding encoding) -> std::function<void()> {
        const Novel novel{dir.filePath(QStringLiteral("pieces-") + EncodingName(encoding)), encoding};
        QFile file(novel.path);
        const QByteArray bytes = TextCodec::Encode(encoding, text);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        const qint64 size = bytes.size();
        return [novel, size] {
            for (BytePos position(1); position.value() <= size; position += kPieceLength)
                mdlFileBinText::ReadTextPiece(novel, position, kPieceLength);
        };
    };
    const std::function<void()> readGbk = readThrough(TextEncoding::Gbk);
    const std::function<void()> readUtf8 = readThrough(TextEncoding::Utf8);
    if (!readGbk || !readUtf8)
        return;
    // The pair of reads, one right after the other, whose ratio is the median of 15 pairs.
    std::vector<std::pair<double, double>> pairs; // GBK, UTF-8 seconds
    for (int run = 0; run < 15; ++run) {
        const double gbkRun = secondsFor(readGbk);
        pairs.emplace_back(gbkRun, secondsFor(readUtf8));
    }
    std::sort(pairs.begin(), pairs.end(), [](const auto &a, const auto &b) {
        return a.second / a.first < b.second / b.first;
    });
    const auto [gbkSeconds, utf8Seconds] = pairs[pairs.size() / 2];
    const double mb = double(gbk.size()) / kMiB;
    std::printf("Reading the novel through in pieces of %lld bytes: GBK %.0f MB/s, UTF-8 %.0f MB/s of the same "
                "text (%.1f MB of GBK bytes); UTF-8 speed / GBK speed = %.2f (goal: at least 1)\n",
                kPieceLength, mb / gbkSeconds, mb / utf8Seconds, mb, gbkSeconds / utf8Seconds);
    std::printf("TABLE|Novel read through in pieces of %lld bytes: UTF-8 / GBK|%.1f|%.1f|ms|1.00\n", kPieceLength,
                utf8Seconds * 1e3, gbkSeconds * 1e3);
}

// Peak resident memory of a child process that runs `work`, in KiB.
long childPeakKiB(const std::function<void()> &work)
{
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

void benchSearch(const QString &path, qint64 size, const QString &needle)
{
    const QByteArray needleBytes = Gbk::fromUnicode(needle);
    qint64 rawAt = -1;
    const double raw = bestSecondsFor(3, [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        const void *hit = memmem(bytes.constData(), bytes.size(), needleBytes.constData(),
                                 needleBytes.size());
        rawAt = hit ? static_cast<const char *>(hit) - bytes.constData() + 1 : -1;
    });
    std::optional<BytePos> found;
    const double search = bestSecondsFor(3, [&] { found = FindInTextFile(path, needle); });
    std::printf("FindInTextFile near the end of a %.0f MB novel: %.0f ms (found at %lld, raw bytes "
                "at %lld); reading the file and memmem %.0f ms; search/raw %.2f\n",
                double(size) / kMiB, search * 1e3, found ? found->value() : -1LL, rawAt,
                raw * 1e3, search / raw);
    const long idle = childPeakKiB([] {});
    const long searching = childPeakKiB([&] { FindInTextFile(path, needle); });
    const long wholeText = childPeakKiB([&] {
        [[maybe_unused]] const qsizetype at = mdlFileBinText::ReadTextFile(path)->indexOf(needle);
    });
    std::printf("Peak memory beyond the process's own: FindInTextFile %.1f MB; reading the whole "
                "text and searching it %.1f MB; file %.0f MB\n",
                (searching - idle) / 1024.0, (wholeText - idle) / 1024.0, double(size) / kMiB);
}

}

int main()
{
    QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/tarrowin-bench-XXXXXX"));
    if (!temporary.isValid())
        return 1;
    const QDir dir(temporary.path());
    const QByteArray text = novelText();
    benchPieceReads(dir, text);
    benchPieceDecoding(dir, text);

    const QString novel = dir.filePath(QStringLiteral("novel100.txt"));
    const QString needle = QStringLiteral("第一百零一回 话说那唐僧师徒四人，取经归来，又见一段新文。");
    const QByteArray tail = "\r\n" + Gbk::fromUnicode(needle) + "\r\n" + text.left(300 * 1024);
    if (!writeRepeated(novel, text, 100 * kMiB - tail.size(), tail))
        return 1;
    const qint64 size = QFileInfo(novel).size();
    benchWholeFile(novel, size);
    benchSearch(novel, size, needle);
    return 0;
}
