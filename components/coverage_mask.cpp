#include "components/coverage_mask.h"

#include "components/effect_random.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Text fills only part of its padded mask. Every operation works on the covered box grown by how
// far it can spread coverage; outside that the mask is empty before and after.
QRect WorkArea(const QImage& mask, int spread)
{
    const QRect covered = CoveredBox(mask);
    return covered.isEmpty() ? QRect() : covered.adjusted(-spread, -spread, spread, spread) & mask.rect();
}

// A horizontal box pass over N rows at once: the running sum of one row is a chain of dependent
// additions, and interleaving rows lets the processor work on several chains together.
template <int N>
void BoxRowGroup(const uchar* const* in, uchar* const* out, int w, int radius, int inv)
{
    int sum[N] = {};
    for (int i = 0; i < std::min(radius, w); ++i)
        for (int r = 0; r < N; ++r)
            sum[r] += in[r][i];
    // The window enters the row, slides through it, then leaves it; splitting the row into those
    // three stretches keeps the edge tests out of the long middle one.
    const int enterEnd = std::min(radius + 1, w);
    const int slideEnd = std::max(enterEnd, w - radius);
    int x = 0;
    for (; x < enterEnd; ++x)
        for (int r = 0; r < N; ++r) {
            if (x + radius < w)
                sum[r] += in[r][x + radius];
            out[r][x] = uchar((sum[r] * inv + 0x8000) >> 16);
        }
    for (; x < slideEnd; ++x)
        for (int r = 0; r < N; ++r) {
            sum[r] += in[r][x + radius] - in[r][x - radius - 1];
            out[r][x] = uchar((sum[r] * inv + 0x8000) >> 16);
        }
    for (; x < w; ++x)
        for (int r = 0; r < N; ++r) {
            if (x - radius - 1 >= 0)
                sum[r] -= in[r][x - radius - 1];
            out[r][x] = uchar((sum[r] * inv + 0x8000) >> 16);
        }
}

// One horizontal box pass from src into dst over the area.
void BoxRows(const QImage& src, QImage& dst, const QRect& area, int radius)
{
    constexpr int kGroup = 4;
    const int left = area.left();
    const int w = area.width();
    const int inv = (1 << 16) / (2 * radius + 1);
    int y = area.top();
    for (; y + kGroup - 1 <= area.bottom(); y += kGroup) {
        const uchar* in[kGroup];
        uchar* out[kGroup];
        for (int r = 0; r < kGroup; ++r) {
            in[r] = src.constScanLine(y + r) + left;
            out[r] = dst.scanLine(y + r) + left;
        }
        BoxRowGroup<kGroup>(in, out, w, radius, inv);
    }
    for (; y <= area.bottom(); ++y) {
        const uchar* in[1] = {src.constScanLine(y) + left};
        uchar* out[1] = {dst.scanLine(y) + left};
        BoxRowGroup<1>(in, out, w, radius, inv);
    }
}

// One vertical box pass from src into dst over the area, row by row with running column sums so
// memory is read in order.
void BoxColumns(const QImage& src, QImage& dst, const QRect& area, int radius)
{
    const int left = area.left();
    const int top = area.top();
    const int w = area.width();
    const int h = area.height();
    const int inv = (1 << 16) / (2 * radius + 1);
    std::vector<int> sums(size_t(w), 0);
    for (int y = 0; y < std::min(radius, h); ++y) {
        const uchar* in = src.constScanLine(top + y) + left;
        for (int x = 0; x < w; ++x)
            sums[size_t(x)] += in[x];
    }
    // Each row adds the one entering the window, writes, and drops the one leaving it, all in one
    // sweep so the column sums are loaded and stored once per row.
    static const uchar kEmpty[1] = {0};
    for (int y = 0; y < h; ++y) {
        const bool enters = y + radius < h;
        const bool leaves = y - radius >= 0;
        const uchar* in = enters ? src.constScanLine(top + y + radius) + left : kEmpty;
        const uchar* gone = leaves ? src.constScanLine(top + y - radius) + left : kEmpty;
        const int inStep = enters ? 1 : 0;
        const int goneStep = leaves ? 1 : 0;
        int* sum = sums.data();
        uchar* out = dst.scanLine(top + y) + left;
        if (enters && leaves) {
            for (int x = 0; x < w; ++x) {
                const int s = sum[x] + in[x];
                out[x] = uchar((s * inv + 0x8000) >> 16);
                sum[x] = s - gone[x];
            }
        } else {
            for (int x = 0; x < w; ++x) {
                const int s = sum[x] + in[x * inStep];
                out[x] = uchar((s * inv + 0x8000) >> 16);
                sum[x] = s - gone[x * goneStep];
            }
        }
    }
}

// One step of erosion over the area: each pixel becomes the least coverage of its 3 x 3
// neighbourhood, pixels beyond the area counting as empty.
void ErodeOnce(const QImage& src, QImage& dst, QImage& rows, const QRect& area)
{
    const int left = area.left();
    const int w = area.width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* in = src.constScanLine(y) + left;
        uchar* out = rows.scanLine(y) + left;
        for (int x = 0; x < w; ++x) {
            const uchar before = x > 0 ? in[x - 1] : 0;
            const uchar after = x + 1 < w ? in[x + 1] : 0;
            out[x] = std::min({before, in[x], after});
        }
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uchar* out = dst.scanLine(y) + left;
        if (y == area.top() || y == area.bottom()) {
            std::fill(out, out + w, uchar(0));
            continue;
        }
        const uchar* up = rows.constScanLine(y - 1) + left;
        const uchar* mid = rows.constScanLine(y) + left;
        const uchar* down = rows.constScanLine(y + 1) + left;
        for (int x = 0; x < w; ++x)
            out[x] = std::min({up[x], mid[x], down[x]});
    }
}

}  // namespace

QRect CoveredBox(const QImage& mask)
{
    const int width = mask.width();
    int left = width, right = -1, top = mask.height(), bottom = -1;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* line = mask.constScanLine(y);
        // Most of a padded mask is empty: skip it eight bytes at a time.
        int x = 0;
        for (uint64_t word = 0; x + 8 <= width; x += 8) {
            std::memcpy(&word, line + x, 8);
            if (word != 0)
                break;
        }
        while (x < width && line[x] == 0)
            ++x;
        if (x == width)
            continue;
        int last = width - 1;
        for (uint64_t word = 0; last - 7 > x; last -= 8) {
            std::memcpy(&word, line + last - 7, 8);
            if (word != 0)
                break;
        }
        while (line[last] == 0)
            --last;
        left = std::min(left, x);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

void BoxBlurMask(QImage& mask, int radius, int passes)
{
    if (radius <= 0 || mask.isNull())
        return;
    const QRect area = WorkArea(mask, radius * passes);
    if (area.isEmpty())
        return;
    QImage scratch(mask.size(), QImage::Format_Alpha8);
    for (int pass = 0; pass < passes; ++pass) {
        BoxRows(mask, scratch, area, radius);
        BoxColumns(scratch, mask, area, radius);
    }
}

void OutlineMask(QImage& mask, int width)
{
    if (width <= 0 || mask.isNull())
        return;
    const QRect area = WorkArea(mask, 1);
    if (area.isEmpty())
        return;
    QImage eroded = mask.copy();
    QImage scratch(mask.size(), QImage::Format_Alpha8);
    QImage rows(mask.size(), QImage::Format_Alpha8);
    for (int step = 0; step < width; ++step) {
        ErodeOnce(eroded, scratch, rows, area);
        std::swap(eroded, scratch);
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uchar* line = mask.scanLine(y);
        const uchar* inner = eroded.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x)
            line[x] = uchar(line[x] - inner[x]);  // erosion never exceeds the original
    }
}

void SprayMask(QImage& mask, int radius, uint64_t seed)
{
    if (radius <= 0 || mask.isNull())
        return;
    const QRect area = WorkArea(mask, radius);
    if (area.isEmpty())
        return;
    const QImage source = mask.copy();
    const uint32_t span = uint32_t(2 * radius + 1);
    EffectRandom random(seed);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uchar* out = mask.scanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            const uint32_t r = random.next();
            // Multiply-shift maps 16 random bits onto 0 .. span-1 without a division.
            const int sx = x + int(((r & 0xFFFF) * span) >> 16) - radius;
            const int sy = y + int(((r >> 16) * span) >> 16) - radius;
            const bool inside = sx >= area.left() && sx <= area.right() && sy >= area.top() &&
                                sy <= area.bottom();
            out[x] = inside ? source.constScanLine(sy)[sx] : 0;
        }
    }
}
