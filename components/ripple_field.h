#pragma once
// The water surface behind the ripple picture: two integer height maps and their wave step.

#include <cstdint>
#include <vector>

// A grid of water heights that carries ripples: each step a cell becomes half the sum of its four
// neighbours minus its own height one step ago, then loses a share of its height (damping). Two
// maps hold the current and the previous heights and swap roles every step. The grid has a
// border of cells that always stay zero, so the step and the slope need no bounds checks, and
// every row knows whether it holds any height, so calm water costs nothing.
class RippleField {
public:
    // Heights are kept within this bound, so that crowds of drops saturate instead of wrapping
    // and every sum of the step fits in 16 bits.
    static constexpr int kMaxHeight = 8191;
    // Damping is a share of the height lost per step, in 1/kDampingUnit.
    static constexpr int kDampingShift = 9;
    static constexpr int kDampingUnit = 1 << kDampingShift;
    // At most half of the height goes in one step; more would only make the water stand still.
    static constexpr int kMaxDamping = kDampingUnit / 2 - 1;

    RippleField() = default;

    // A calm grid of the given size (cells); 0 × 0 holds nothing.
    void resize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    // All heights zero.
    void clear();

    // Raises the surface around cell (x, y) by `strength` at the centre, falling to nothing at
    // `radius` cells (0: the one cell). Parts outside the grid are dropped.
    void drop(int x, int y, int radius, int strength);

    // One wave step; `damping` in 1/kDampingUnit of the height per step (clamped to 0 … kMaxDamping).
    // Every non-zero height loses at least one unit when damping is positive, so ripples always
    // die out completely instead of lingering as small ever-living noise.
    void step(int damping);

    // Current height of a cell; x may be -1 or width() and y -1 or height() (the zero border).
    int16_t at(int x, int y) const { return current_[index(x, y)]; }
    // The current heights of row y, indexable from -1 to width() inclusive; y from -1 to height().
    const int16_t* row(int y) const { return current_.data() + index(0, y); }

    // True when the current heights of row y or of a neighbouring row are non-zero, so the
    // slope in row y may be non-zero.
    bool rowSloped(int y) const;
    // True when no height is non-zero in either map.
    bool calm() const;

private:
    int index(int x, int y) const { return (y + 1) * stride_ + (x + 1); }

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::vector<int16_t> current_;
    std::vector<int16_t> previous_;
    // Per row including the border rows: whether the row of that map holds a non-zero height.
    std::vector<uint8_t> currentActive_;
    std::vector<uint8_t> previousActive_;
};
