#pragma once
// A clock and a random source the saver tests set by hand.

#include "saver/random_source.h"
#include "saver/saver_clock.h"

#include <cstdint>
#include <vector>

// A clock that stands still until the test moves it.
class FakeClock final : public SaverClock {
public:
    explicit FakeClock(DateTime now) : now_(now) {}
    DateTime now() const override { return now_; }
    void set(DateTime now) { now_ = now; }
    void advanceSeconds(double seconds) { now_ += seconds / 86400.0; }

private:
    DateTime now_;
};

// Hands out the given 32-bit values in turn, round and round; counts the reseeds.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<uint32_t> values) : values_(std::move(values)) {}
    void seedFromClock() override { ++seeds; }
    uint32_t next32() override
    {
        const uint32_t value = values_[next_ % values_.size()];
        ++next_;
        return value;
    }
    int seeds = 0;

private:
    std::vector<uint32_t> values_;
    size_t next_ = 0;
};
