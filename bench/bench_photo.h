#pragma once
// The large photo the benchmarks decode: one picture, so the loader's and the saver's figures
// speak of the same file.

#include <QByteArray>

// A photo-like 6000 × 4000 JPEG of quality 90: a gradient with fine noise, so it compresses as
// photos do. Made once per program.
const QByteArray& PhotoJpeg6000x4000();
