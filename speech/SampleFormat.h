#pragma once
#include <QtGlobal>

// The speech's audio as the synthesiser gives it and every output takes it: signed 16-bit
// little-endian samples, one channel, so a frame is one sample of two bytes. The sample rate is
// the synthesiser's own, read from it when it starts (SynthEngine::sampleRate).
namespace SampleFormat {
constexpr int Channels = 1;
constexpr int BytesPerSample = 2;
constexpr int BytesPerFrame = Channels * BytesPerSample;

// The whole frames in `bytes` of audio; a partial frame at the end counts as none.
constexpr qint64 Frames(qint64 bytes) { return bytes / BytesPerFrame; }
// The bytes of `frames` frames.
constexpr qint64 Bytes(qint64 frames) { return frames * BytesPerFrame; }
// `bytes` cut down to whole frames.
constexpr qint64 WholeFrameBytes(qint64 bytes) { return Bytes(Frames(bytes)); }
}
