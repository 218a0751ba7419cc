// Runs one decode in the decoding process (pikselar-decode) and checks its
// answer. The process is killed when it has used its processor time, when
// the generous wall-clock backstop passes, or soon after `cancelled` is set;
// the kernel ends it when it takes more memory than allowed. Any of these,
// like a crash or a malformed answer, gives nothing: the input counts as
// broken. Blocking; any thread.
#pragma once
#include <atomic>
#include <optional>

#include <QImage>
#include <QString>

#include "transfer/DecodeRequest.h"

std::optional<QImage> RunDecodeProcess(const DecodeRequest& request, const std::atomic<bool>* cancelled = nullptr);

// The decoding program: beside the program (the build tree, a portable copy)
// or in ../lib/pikselar when installed. Empty when it cannot be found.
QString DecoderProgram();
// For tests, whose executables lie elsewhere: the decoding program to use.
void SetDecoderProgram(const QString& path);
