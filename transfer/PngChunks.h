// The chunks of a PNG, walked before any decoder sees the bytes: texts and
// other extras the picture does not need are dropped, so a small file of
// compressed texts cannot make the decoder inflate gigabytes.
#pragma once
#include <QByteArray>

// The extras kept (other than the transparency chunk, which the pixels
// need): a colour profile or a few notes fit well within it.
inline constexpr qsizetype MaxPngExtraBytes = 64 * 1024;

// True for bytes that begin with the PNG signature.
bool IsPng(const QByteArray& bytes);

// The same PNG without its text chunks and without the extras past
// MaxPngExtraBytes; the chunks that make the picture are kept as they are,
// in their order. The walk ends at the first chunk whose length does not
// fit in what is left; that chunk and what follows are not handed on.
// Bytes that are not a PNG come back unchanged.
QByteArray WithoutPngExtras(const QByteArray& bytes);
