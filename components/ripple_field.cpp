#include "components/ripple_field.h"

#include <algorithm>
#include <cstdlib>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "components/ripple_cpu.h"

namespace {

int ClampHeight(int value) {
    return std::clamp(value, -RippleField::kMaxHeight, RippleField::kMaxHeight);
}

// One wave step over `count` cells of a row: `out` holds the previous heights and receives the
// new ones. Returns non-zero when any new height is non-zero.
int StepCells(const int16_t* up, const int16_t* mid, const int16_t* down, int16_t* out, int count,
              int damping) {
    int any = 0;
    for (int x = 0; x < count; ++x) {
        // Halved toward zero: a floored half would pull the whole surface down a little every
        // step.
        int v = (up[x] + down[x] + mid[x - 1] + mid[x + 1]) / 2 - out[x];
        // The loss is rounded up, so any non-zero height loses at least one unit.
        const int loss = (std::abs(v) * damping + RippleField::kDampingUnit - 1) >> RippleField::kDampingShift;
        v = ClampHeight(v > 0 ? v - loss : v + loss);
        out[x] = int16_t(v);
        any |= v;
    }
    return any;
}

#if defined(__SSE2__) || defined(_M_X64)
// The same step eight cells at a time, in 16-bit lanes: heights within ±kMaxHeight keep every
// intermediate value inside 16 bits. Gives exactly StepCells' results.
int StepRow(const int16_t* up, const int16_t* mid, const int16_t* down, int16_t* out, int count,
            int damping) {
    const auto load = [](const int16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    // mulhi(−|v|, damping·128) = floor(−|v|·damping / 512) = −(the rounded-up loss).
    const __m128i factor = _mm_set1_epi16(int16_t(damping << (16 - RippleField::kDampingShift)));
    const __m128i high = _mm_set1_epi16(RippleField::kMaxHeight);
    const __m128i low = _mm_set1_epi16(-RippleField::kMaxHeight);
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    __m128i any = zero;
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        __m128i sum = _mm_add_epi16(_mm_add_epi16(load(up + x), load(down + x)),
                                    _mm_add_epi16(load(mid + x - 1), load(mid + x + 1)));
        sum = _mm_srai_epi16(_mm_add_epi16(sum, _mm_srli_epi16(sum, 15)), 1);
        __m128i v = _mm_sub_epi16(sum, load(out + x));
        const __m128i negativeLoss = _mm_mulhi_epi16(_mm_min_epi16(v, _mm_sub_epi16(zero, v)), factor);
        // Lanes with v ≤ 0 gain the loss instead of losing it: negate it there.
        const __m128i notPositive = _mm_cmpgt_epi16(one, v);
        v = _mm_add_epi16(v, _mm_sub_epi16(_mm_xor_si128(negativeLoss, notPositive), notPositive));
        v = _mm_min_epi16(_mm_max_epi16(v, low), high);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), v);
        any = _mm_or_si128(any, v);
    }
    const bool wideAny = _mm_movemask_epi8(_mm_cmpeq_epi8(any, zero)) != 0xFFFF;
    return int(wideAny) | StepCells(up + x, mid + x, down + x, out + x, count - x, damping);
}
#else
int StepRow(const int16_t* up, const int16_t* mid, const int16_t* down, int16_t* out, int count,
            int damping) {
    return StepCells(up, mid, down, out, count, damping);
}
#endif

}  // namespace

void RippleField::resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    stride_ = width_ + 2;
    const size_t cells = size_t(stride_) * size_t(height_ + 2);
    current_.assign(cells, 0);
    previous_.assign(cells, 0);
    currentActive_.assign(height_ + 2, 0);
    previousActive_.assign(height_ + 2, 0);
}

void RippleField::clear() {
    std::fill(current_.begin(), current_.end(), int16_t(0));
    std::fill(previous_.begin(), previous_.end(), int16_t(0));
    std::fill(currentActive_.begin(), currentActive_.end(), uint8_t(0));
    std::fill(previousActive_.begin(), previousActive_.end(), uint8_t(0));
}

void RippleField::drop(int x, int y, int radius, int strength) {
    if (width_ == 0 || height_ == 0 || strength == 0)
        return;
    radius = std::max(radius, 0);
    const int top = std::max(y - radius, 0);
    const int bottom = std::min(y + radius, height_ - 1);
    const int left = std::max(x - radius, 0);
    const int right = std::min(x + radius, width_ - 1);
    const long long r2 = (long long)radius * radius;
    for (int cy = top; cy <= bottom; ++cy) {
        int16_t* cells = current_.data() + index(0, cy);
        bool touched = false;
        for (int cx = left; cx <= right; ++cx) {
            const long long d2 = (long long)(cx - x) * (cx - x) + (long long)(cy - y) * (cy - y);
            if (d2 > r2)
                continue;
            // A rounded bump, highest at the centre, rather than a flat-topped disc whose sharp
            // rim would ring as fine noise.
            const long long rise = radius == 0 ? strength : strength * (r2 - d2) / r2;
            cells[cx] = int16_t(ClampHeight(cells[cx] + int(std::clamp<long long>(rise, -kMaxHeight, kMaxHeight))));
            touched = true;
        }
        if (touched)
            currentActive_[cy + 1] = 1;
    }
}

void RippleField::step(int damping) {
    damping = std::clamp(damping, 0, kMaxDamping);
    SettleVectorRegisters();
    // The new heights overwrite the previous map in place: each cell reads only its own
    // previous height, and the current map is left untouched until the swap.
    for (int y = 0; y < height_; ++y) {
        const int r = y + 1;
        if (!currentActive_[r - 1] && !currentActive_[r] && !currentActive_[r + 1] &&
            !previousActive_[r]) {
            // Calm around: the new row is zero, and so is the previous row it replaces.
            continue;
        }
        const int any = StepRow(current_.data() + index(0, y - 1), current_.data() + index(0, y),
                                current_.data() + index(0, y + 1), previous_.data() + index(0, y),
                                width_, damping);
        previousActive_[r] = any != 0;
    }
    current_.swap(previous_);
    currentActive_.swap(previousActive_);
}

bool RippleField::rowSloped(int y) const {
    const int r = y + 1;
    return currentActive_[r - 1] || currentActive_[r] || currentActive_[r + 1];
}

bool RippleField::calm() const {
    const auto quiet = [](const std::vector<uint8_t>& rows) {
        return std::none_of(rows.begin(), rows.end(), [](uint8_t a) { return a != 0; });
    };
    return quiet(currentActive_) && quiet(previousActive_);
}
