#include "components/ripple_render.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include <QImage>

#include "components/ripple_cpu.h"
#include "components/ripple_field.h"

namespace {

// Pixel rows [first, end) of the frame that lie under one grid row.
struct PixelRows {
    int first;
    int end;
};

PixelRows RowsUnder(int gridRow, int imageHeight) {
    const int first = gridRow * kRippleCellPixels;
    return {first, std::min(first + kRippleCellPixels, imageHeight)};
}

// Shift in pixels for a slope; divided toward zero so that the tiny last wavelets leave the
// picture still rather than nudging it one pixel up and to the left.
int ShiftFor(int slope) {
    return slope / kRippleSlopeDivisor;
}

// Where each cell of a run takes its 2 × 2 block of pixels from: the cell's own place shifted by
// the slope of the water, the block clamped as a whole into the picture, given as the index of
// the block's top-left pixel. `here` is the cells' row of heights (with its neighbours at −1 and
// count), `above` and `below` the rows around it.
struct SourceRun {
    const int16_t* above;
    const int16_t* here;
    const int16_t* below;
    int firstCell;  // grid column of element 0
    int pixelRow;   // the cells' first pixel row
    int maxX;
    int maxY;
    int stride;     // pixels from one picture row to the next
};

void SourcePlaces(const SourceRun& run, int from, int count, int32_t* source) {
    for (int i = from; i < count; ++i) {
        const int dx = ShiftFor(run.here[i - 1] - run.here[i + 1]);
        const int dy = ShiftFor(run.above[i] - run.below[i]);
        const int x = std::clamp((run.firstCell + i) * kRippleCellPixels + dx, 0, run.maxX);
        const int y = std::clamp(run.pixelRow + dy, 0, run.maxY);
        source[i] = y * run.stride + x;
    }
}

#if defined(__SSE2__) || defined(_M_X64)
// Pictures up to this size have every place, shift and row length within 16-bit lanes.
constexpr int kWideLimit = 16384;

// SourcePlaces eight cells at a time; the same results.
void SourcePlacesWide(const SourceRun& run, int count, int32_t* source) {
    static_assert(kRippleSlopeDivisor == 16, "the shift below divides by 16");
    const auto load = [](const int16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    const auto store = [](int32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); };
    // Division by 16 rounding toward zero: negative values are raised by 15 first.
    const auto shift = [](__m128i slope) {
        return _mm_srai_epi16(_mm_add_epi16(slope, _mm_and_si128(_mm_srai_epi16(slope, 15), _mm_set1_epi16(15))), 4);
    };
    const __m128i zero = _mm_setzero_si128();
    const __m128i maxX = _mm_set1_epi16(int16_t(run.maxX));
    const __m128i maxY = _mm_set1_epi16(int16_t(run.maxY));
    const __m128i row = _mm_set1_epi16(int16_t(run.pixelRow));
    const __m128i stride = _mm_set1_epi16(int16_t(run.stride));
    const int base = run.firstCell * kRippleCellPixels;
    __m128i column = _mm_setr_epi16(int16_t(base), int16_t(base + 2), int16_t(base + 4), int16_t(base + 6),
                                    int16_t(base + 8), int16_t(base + 10), int16_t(base + 12), int16_t(base + 14));
    const __m128i columnStep = _mm_set1_epi16(8 * kRippleCellPixels);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i dx = shift(_mm_sub_epi16(load(run.here + i - 1), load(run.here + i + 1)));
        const __m128i dy = shift(_mm_sub_epi16(load(run.above + i), load(run.below + i)));
        const __m128i x = _mm_min_epi16(_mm_max_epi16(_mm_add_epi16(column, dx), zero), maxX);
        const __m128i y = _mm_min_epi16(_mm_max_epi16(_mm_add_epi16(row, dy), zero), maxY);
        // y · stride as 32-bit values from the low and high halves of the 16-bit products.
        const __m128i low = _mm_mullo_epi16(y, stride);
        const __m128i high = _mm_mulhi_epu16(y, stride);
        store(source + i, _mm_add_epi32(_mm_unpacklo_epi16(low, high), _mm_unpacklo_epi16(x, zero)));
        store(source + i + 4, _mm_add_epi32(_mm_unpackhi_epi16(low, high), _mm_unpackhi_epi16(x, zero)));
        column = _mm_add_epi16(column, columnStep);
    }
    SourcePlaces(run, i, count, source);
}
#endif

void FillSourcePlaces(const SourceRun& run, int count, int32_t* source) {
#if defined(__SSE2__) || defined(_M_X64)
    if (run.maxX < kWideLimit && run.maxY < kWideLimit && run.stride < kWideLimit) {
        SourcePlacesWide(run, count, source);
        return;
    }
#endif
    SourcePlaces(run, 0, count, source);
}

// Copies the 2 × 2 blocks of `count` whole cells, whose top-left pixels `sourceIndex` gives, to
// the two frame rows.
void CopyBlocks(const uint32_t* source, qsizetype stride, const int32_t* sourceIndex, int count,
                uint32_t* out0, uint32_t* out1) {
    for (int i = 0; i < count; ++i) {
        const uint32_t* block = source + sourceIndex[i];
        std::memcpy(out0 + i * kRippleCellPixels, block, 2 * sizeof(uint32_t));
        std::memcpy(out1 + i * kRippleCellPixels, block + stride, 2 * sizeof(uint32_t));
    }
}

#if defined(__SSE2__) || defined(_M_X64)
// CopyBlocks two cells at a time, each frame row receiving 16 bytes through `store`. Returns the
// cells done (all but an odd last one).
template <typename Store>
int CopyBlockPairsWith(const uint32_t* source, qsizetype stride, const int32_t* sourceIndex, int count,
                       uint32_t* out0, uint32_t* out1, Store store) {
    const auto load = [](const uint32_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); };
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        const uint32_t* a = source + sourceIndex[i];
        const uint32_t* b = source + sourceIndex[i + 1];
        const int x = i * kRippleCellPixels;
        store(out0 + x, _mm_unpacklo_epi64(load(a), load(b)));
        store(out1 + x, _mm_unpacklo_epi64(load(a + stride), load(b + stride)));
    }
    return i;
}

// Where both frame rows are 16-byte aligned the stores bypass the cache: a full frame is larger
// than the caches, so ordinary stores would first read every frame line in from memory only to
// overwrite it, and that traffic competes with the scattered reads of the picture.
int CopyBlockPairs(const uint32_t* source, qsizetype stride, const int32_t* sourceIndex, int count,
                   uint32_t* out0, uint32_t* out1) {
    const bool aligned = ((reinterpret_cast<uintptr_t>(out0) | reinterpret_cast<uintptr_t>(out1)) & 15) == 0;
    if (aligned) {
        return CopyBlockPairsWith(source, stride, sourceIndex, count, out0, out1, [](uint32_t* to, __m128i v) {
            _mm_stream_si128(reinterpret_cast<__m128i*>(to), v);
        });
    }
    return CopyBlockPairsWith(source, stride, sourceIndex, count, out0, out1, [](uint32_t* to, __m128i v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), v);
    });
}

// The streamed stores are weakly ordered: this makes them visible before anyone reads the frame.
void FinishStreamedStores() {
    _mm_sfence();
}
#else
// Without the 128-bit instructions every cell goes through CopyBlocks.
int CopyBlockPairs(const uint32_t*, qsizetype, const int32_t*, int, uint32_t*, uint32_t*) {
    return 0;
}

void FinishStreamedStores() {}
#endif

}  // namespace

void CopyPlainRow(int gridRow, const QImage& plain, QImage& frame) {
    const PixelRows rows = RowsUnder(gridRow, plain.height());
    const size_t bytes = size_t(plain.width()) * sizeof(uint32_t);
    for (int y = rows.first; y < rows.end; ++y)
        std::memcpy(frame.scanLine(y), plain.constScanLine(y), bytes);
}

void RenderRippleRows(const RippleField& field, const std::vector<int>& gridRows, const QImage& plain,
                      QImage& frame) {
    const int width = plain.width();
    const int height = plain.height();
    if (width < kRippleCellPixels || height < kRippleCellPixels) {
        // Too small to shift anything within the picture.
        for (const int row : gridRows)
            CopyPlainRow(row, plain, frame);
        return;
    }
    SettleVectorRegisters();
    const auto* source = reinterpret_cast<const uint32_t*>(plain.constBits());
    const qsizetype stride = plain.bytesPerLine() / qsizetype(sizeof(uint32_t));
    // A cell's 2 × 2 source block is clamped as a whole, so both of its columns and rows stay
    // inside the picture without a test per pixel.
    const int maxX = width - kRippleCellPixels;
    const int maxY = height - kRippleCellPixels;
    // Cells whose two pixel columns both lie in the picture; an odd width leaves one more cell
    // covering a single column.
    const int wholeCells = width / kRippleCellPixels;
    // The last grid row of an odd height covers one pixel row; its second row goes to a spare
    // row instead of a test per cell.
    std::vector<uint32_t> spare;
    // Source places are worked out a chunk of cells at a time in a tight vector loop; the
    // copying loop then does nothing but move pixel pairs.
    constexpr int kChunkCells = 128;
    int32_t sourceIndex[kChunkCells];
    for (const int gridRow : gridRows) {
        const PixelRows rows = RowsUnder(gridRow, height);
        uint32_t* out0 = reinterpret_cast<uint32_t*>(frame.scanLine(rows.first));
        uint32_t* out1;
        if (rows.end - rows.first > 1) {
            out1 = reinterpret_cast<uint32_t*>(frame.scanLine(rows.first + 1));
        } else {
            spare.resize(size_t(width) + kRippleCellPixels);
            out1 = spare.data();
        }
        for (int first = 0; first < field.width(); first += kChunkCells) {
            const int count = std::min(kChunkCells, field.width() - first);
            const int whole = std::clamp(wholeCells - first, 0, count);
            const SourceRun run{field.row(gridRow - 1) + first, field.row(gridRow) + first,
                                field.row(gridRow + 1) + first, first, rows.first, maxX, maxY,
                                int(stride)};
            FillSourcePlaces(run, count, sourceIndex);
            uint32_t* chunk0 = out0 + first * kRippleCellPixels;
            uint32_t* chunk1 = out1 + first * kRippleCellPixels;
            const int done = CopyBlockPairs(source, stride, sourceIndex, whole, chunk0, chunk1);
            CopyBlocks(source, stride, sourceIndex + done, whole - done, chunk0 + done * kRippleCellPixels,
                       chunk1 + done * kRippleCellPixels);
            for (int i = whole; i < count; ++i) {
                const uint32_t* block = source + sourceIndex[i];
                const int x = (first + i) * kRippleCellPixels;
                out0[x] = block[0];
                out1[x] = block[stride];
            }
        }
    }
    FinishStreamedStores();
}
