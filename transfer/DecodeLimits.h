// The bounds of one decode of outside bytes.
#pragma once
#include <chrono>

#include <QtGlobal>

// Heap a decode may take above what the decoding process uses before it.
inline constexpr qint64 DecodeHeapBytes = qint64(256) * 1024 * 1024;
// Processor time a decode may take.
inline constexpr std::chrono::milliseconds DecodeCpuTime{2000};
// Wall-clock time after which a decode is given up even though it has not
// used its processor time: generous, so that a loaded machine (where the
// decode waits its turn for a processor) accepts what a quiet one does.
inline constexpr std::chrono::seconds DecodeWallTime{30};
// The largest request the program sends (a picture from the clipboard).
inline constexpr qint64 MaxDecodeRequestBytes = qint64(256) * 1024 * 1024;
