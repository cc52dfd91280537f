#pragma once
#include <QList>
#include <QString>

// How long after a word is first heard its event comes: the voice speaks ten words, each alone
// between full stops, to the null sink of the sound server in PULSE_SERVER, whose monitor is
// recorded (parec) with the time each block arrives; each word's first sound heard is compared
// with the time its event reached this thread. Needs pulseaudio's parec and pactl.
struct HeardDelays
{
    bool measured = false;  // false when the recording or the voice did not run to its end
    QString failure;        // why, when not measured
    QList<double> errorsMs; // event time less the time the word was first heard, per word
    double sinkMs = 0;      // what the null sink held unheard, as the server reported it
    QString report;         // the figures in one line, for a test's message or a log
};

// Speaks with a stream buffer of `bufferMs` (what libpulse asks the server to hold).
HeardDelays MeasureHeardDelays(int bufferMs);

// The middle value and the value below which `share` (0..1) of the values lie.
double Median(QList<double> values);
double Percentile(QList<double> values, double share);
