// The delay from a word heard to its mark: the voice speaks to a sound server of the benchmark's
// own, whose sink is recorded, and each word's first sound heard is compared with the moment its
// event reaches the main thread, where the page marks the word in the same call. Five rounds of
// ten words with a small (40 ms) stream buffer, then five with a large (500 ms) one.
// Prints the median and the 95th percentile of the delay against the 30 ms goal.
#include "HeardDelays.h"
#include "PrivateSoundServer.h"
#include <QCoreApplication>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kRounds = 5;
constexpr double kGoalMs = 30;

void PrintRows(const char *label, int bufferMs)
{
    QList<double> delays;
    for (int round = 0; round < kRounds; ++round) {
        const HeardDelays measured = MeasureHeardDelays(bufferMs);
        if (!measured.measured) {
            std::fprintf(stderr, "%s: round %d not measured: %s\n", label, round,
                         qPrintable(measured.failure));
            continue;
        }
        std::printf("%s round %d: %s\n", label, round, qPrintable(measured.report));
        for (double error : measured.errorsMs)
            delays.append(std::abs(error));
    }
    if (delays.isEmpty())
        return;
    std::printf("TABLE|Word heard to its mark, %s buffer (%lld words): median / goal|%.1f|%.0f|ms|1.00\n",
                label, qlonglong(delays.size()), Median(delays), kGoalMs);
    std::printf("TABLE|Word heard to its mark, %s buffer: 95th percentile / goal|%.1f|%.0f|ms|1.00\n",
                label, Percentile(delays, 0.95), kGoalMs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    PrivateSoundServer server;
    if (!server.start()) {
        std::fprintf(stderr, "pulseaudio, pacat and parec are needed for a sound server of its own\n");
        return 1;
    }
    qputenv("PULSE_SERVER", server.address().toUtf8());
    PrintRows("40 ms", 40);
    PrintRows("500 ms", 500);
    return 0;
}
